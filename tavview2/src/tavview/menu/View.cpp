#include "tavview/menu/View.h"

#include "tavview/Actions.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>

namespace tavview::menu {

View::View(QWidget* parent) : QMenu(parent)
{
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    addAction(actions.zoomInAction);
    addAction(actions.zoomOutAction);
    addAction(actions.fitAction);
    addSeparator();
    addAction(tavview::Actions::singleton().showToolbar);
    addAction(actions.logWindowAction);
    addAction(actions.viewLibraryAction1);
    addAction(actions.viewLibraryAction2);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &View::translate);
    translate();
}

void View::translate()
{
    setTitle(tr("&View"));
}

} // namespace tavview::menu
