#include "tavview/menu/Edit.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <QAction>

namespace tavview::menu {

Edit::Edit(QWidget* parent)
    : QMenu(parent),
      _undoPlaceholder(new QAction(QIcon(QStringLiteral(":/lumlink_lib/icons/undo16.png")), QString())),
      _redoPlaceholder(new QAction(QIcon(QStringLiteral(":/lumlink_lib/icons/redo16.png")), QString()))
{
    _undoPlaceholder->setEnabled(false);
    _redoPlaceholder->setEnabled(false);
    connect(this, &QMenu::aboutToShow, this, &Edit::on_aboutToShow);
    connect(&lumlink::project::Manager::singleton(), &lumlink::project::Manager::activeProjectChanged, this,
            &Edit::on_projMgr_activeProjectChanged);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Edit::translate);
    translate();
}

Edit::~Edit()
{
    delete _undoPlaceholder;
    delete _redoPlaceholder;
}

void Edit::translate()
{
    setTitle(tr("&Edit"));
    _undoPlaceholder->setText(tr("Undo"));
    _undoPlaceholder->setShortcut(QKeySequence::Undo);
    _redoPlaceholder->setText(tr("Redo"));
    _redoPlaceholder->setShortcut(QKeySequence::Redo);
}

void Edit::on_projMgr_activeProjectChanged(lumlink::project::Project* project)
{
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    clear();
    addAction(project ? project->undoAction() : _undoPlaceholder);
    addAction(project ? project->redoAction() : _redoPlaceholder);
    addSeparator();
    addAction(actions.cutAction);
    addAction(actions.copyGlobalAction);
    addAction(actions.pasteAction);
    addAction(actions.deleteAction);
    addSeparator();
    addAction(actions.selectAllGlobalAction);
    addAction(actions.clearSelectionGlobalAction);
}

// The program view holds no editor yet, so there is nothing to cut, copy, paste or delete.
void Edit::on_aboutToShow()
{
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    actions.pasteAction->setEnabled(false);
    actions.cutAction->setEnabled(false);
    actions.copyGlobalAction->setEnabled(false);
    actions.deleteAction->setEnabled(false);
}

} // namespace tavview::menu
