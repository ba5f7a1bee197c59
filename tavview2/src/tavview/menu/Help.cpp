#include "tavview/menu/Help.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>

namespace tavview::menu {

Help::Help(QWidget* parent) : QMenu(parent)
{
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    addAction(actions.onTheWebAction);
    addAction(actions.tavSimOnTheWebAction);
    addSeparator();
    addAction(actions.showAboutDialogAction);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Help::translate);
    translate();
}

void Help::translate()
{
    setTitle(tr("&Help"));
}

} // namespace tavview::menu
