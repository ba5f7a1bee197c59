#include "tavview/menu/File.h"

#include <lum/qt/FileHistory.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>

namespace tavview::menu {

File::File(QWidget* parent) : QMenu(parent), _importMenu(new QMenu(this)), _exportMenu(new QMenu(this))
{
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    addAction(actions.newProjectAction);
    addAction(actions.openAction);
    addAction(actions.saveAction);
    addAction(actions.saveAsAction);
    addAction(actions.protectAction);
    addSeparator();
    _importMenu->addAction(actions.importSdfAction);
    addMenu(_importMenu);
    _exportMenu->addAction(actions.exportProgramAction);
    _exportMenu->addAction(actions.exportProjectAction);
    addMenu(_exportMenu);
    addSeparator();
    addMenu(lum::qt::FileHistory::singleton().menu());
    addSeparator();
    addAction(actions.quitAction);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &File::translate);
    translate();
}

void File::translate()
{
    setTitle(tr("&File"));
    _importMenu->setTitle(tr("&Import"));
    _exportMenu->setTitle(tr("&Export"));
}

} // namespace tavview::menu
