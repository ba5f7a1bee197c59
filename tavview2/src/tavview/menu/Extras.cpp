#include "tavview/menu/Extras.h"

#include <lum/qt/translation/Manager.h>
#include <lum/qt/translation/Menu.h>

namespace tavview::menu {

Extras::Extras(QWidget* parent) : QMenu(parent)
{
    addMenu(new lum::qt::translation::Menu(this));
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Extras::translate);
    translate();
}

void Extras::translate()
{
    setTitle(tr("&Extras"));
}

} // namespace tavview::menu
