#include "tavview/menu/Window.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/View.h>
#include <QActionGroup>

namespace tavview::menu {

Window::Window(QWidget* parent) : QMenu(parent)
{
    connect(this, &QMenu::aboutToShow, this, &Window::on_aboutToShow);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Window::translate);
    translate();
}

void Window::translate()
{
    setTitle(tr("&Window"));
}

void Window::on_aboutToShow()
{
    QAction* dialogsAction = lumlink::Actions::singleton().windowDialogsAction;
    clear();
    // The previous opening's "Dialogs" sub-menu.
    qDeleteAll(findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    addAction(dialogsAction);
    const lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    const lumlink::project::View* view = project ? project->view() : nullptr;
    if (!view) {
        dialogsAction->setEnabled(false);
        return;
    }
    const QList<QWidget*> dialogs = view->dialogs();
    dialogsAction->setEnabled(!dialogs.isEmpty());
    if (dialogs.isEmpty())
        return;
    addSeparator();
    QMenu* dialogsMenu = addMenu(tr("Dialogs"));
    delete _windowActionGroup;
    _windowActions.clear();
    _windowActionGroup = new QActionGroup(this);
    connect(_windowActionGroup, &QActionGroup::triggered, this, &Window::on_windowActionTriggered);
    for (int i = 0; i < dialogs.size(); ++i) {
        auto* action = new QAction(tr("%1 %2").arg(i + 1).arg(dialogs[i]->windowTitle()), _windowActionGroup);
        dialogsMenu->addAction(action);
        _windowActions.insert(action, dialogs[i]);
    }
}

void Window::on_windowActionTriggered(QAction* action)
{
    if (QWidget* dialog = _windowActions.value(action))
        dialog->activateWindow();
}

} // namespace tavview::menu
