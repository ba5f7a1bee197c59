#include "tavview/menu/Edit.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/View.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/model/Model.h>
#include <QAction>

namespace tavview::menu {

namespace {

// The active project's current editor, as the edit actions see it.
struct EditorState
{
    bool editor = false;
    bool sequence = false;
    bool locked = false;
    bool selection = false;
    bool clipboard = false;
};

EditorState currentEditor()
{
    EditorState state;
    lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    if (!project || !project->view())
        return state;
    QWidget* tab = project->view()->currentWidget();
    if (auto* diagram = qobject_cast<lumlink::sdf::SDFView*>(tab)) {
        state.editor = true;
        state.locked = diagram->model().isProtected();
        state.selection = !diagram->model().isSelectionEmpty();
        state.clipboard = !project->isClipboardEmpty();
    } else if (auto* chart = qobject_cast<lumlink::sfc::SFCView*>(tab)) {
        const lumlink::sfc::model::Model model(chart->scene(), [project] { return project->isLocked(); });
        state.editor = true;
        state.sequence = true;
        state.locked = model.isProtected();
        state.selection = !model.isSelectionEmpty();
    }
    return state;
}

} // namespace

Edit::Edit(QWidget* parent)
    : QMenu(parent),
      _undoPlaceholder(new QAction(QIcon(QStringLiteral(":/lumlink_lib/icons/undo16.png")), QString())),
      _redoPlaceholder(new QAction(QIcon(QStringLiteral(":/lumlink_lib/icons/redo16.png")), QString()))
{
    _undoPlaceholder->setEnabled(false);
    _redoPlaceholder->setEnabled(false);
    connect(this, &QMenu::aboutToShow, this, &Edit::on_aboutToShow);
    connect(this, &QMenu::aboutToHide, this, &Edit::on_aboutToHide);
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

void Edit::on_aboutToShow()
{
    const EditorState state = currentEditor();
    const bool selection = state.selection && !state.locked;
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    actions.pasteAction->setEnabled(state.clipboard && !state.sequence && !state.locked);
    actions.cutAction->setEnabled(selection && !state.sequence);
    actions.copyGlobalAction->setEnabled(selection && !state.sequence);
    actions.deleteAction->setEnabled(selection);
}

void Edit::on_aboutToHide()
{
    on_editorChanged();
}

void Edit::on_editorChanged()
{
    const EditorState state = currentEditor();
    if (!state.editor)
        return;
    const bool clipboard = !state.locked && !state.sequence;
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    actions.pasteAction->setEnabled(clipboard);
    actions.cutAction->setEnabled(clipboard);
    actions.copyGlobalAction->setEnabled(clipboard);
    actions.deleteAction->setEnabled(!state.locked);
}

} // namespace tavview::menu
