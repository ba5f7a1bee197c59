#include "tavview/menu/Extras.h"

#include <lum/qt/translation/Manager.h>
#include <lum/qt/translation/Menu.h>
#include <lumlink/Actions.h>

namespace tavview::menu {

Extras::Extras(QWidget* parent) : QMenu(parent)
{
    addMenu(new lum::qt::translation::Menu(this));
    // The options dialog has no other way in: without this entry its pages could not be opened.
    addAction(lumlink::Actions::singleton().optionsAction);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Extras::translate);
    translate();
}

void Extras::translate()
{
    setTitle(tr("&Extras"));
}

} // namespace tavview::menu
