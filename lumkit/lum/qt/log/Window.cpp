#include "lum/qt/log/Window.h"

#include "lum/qt/log/Log.h"
#include "lum/qt/log/View.h"
#include "lum/qt/translation/Manager.h"

#include <QAction>

namespace lum::qt::log {

Window::Window(QAction* action, QWidget* parent) : QDockWidget(parent), _action(action), _view(new View(this))
{
    setObjectName(QStringLiteral("logWindow"));
    setWidget(_view);
    for (const QString& line : Log::singleton().backlog())
        _view->appendLine(line);
    connect(&Log::singleton(), &Log::lineLogged, _view, &View::appendLine);
    // Cleared lines must not come back in a window made later.
    connect(_view->clearAction(), &QAction::triggered, &Log::singleton(), &Log::clearBacklog);
    if (_action) {
        _action->setCheckable(true);
        if (!_action->isChecked())
            hide();
        connect(_action, &QAction::toggled, this, &QDockWidget::setVisible);
    }
    connect(&translation::Manager::singleton(), &translation::Manager::languageChanged, this,
            &Window::translate);
    translate();
}

void Window::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    followVisibility();
}

void Window::hideEvent(QHideEvent* event)
{
    QDockWidget::hideEvent(event);
    followVisibility();
}

void Window::followVisibility()
{
    // isHidden() ignores a hidden main window: minimising it must not uncheck the action.
    if (_action)
        _action->setChecked(!isHidden());
}

void Window::translate()
{
    setWindowTitle(tr("Messages"));
    setAccessibleName(tr("Message window"));
}

} // namespace lum::qt::log
