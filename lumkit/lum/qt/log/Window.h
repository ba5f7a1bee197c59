#pragma once

#include <QDockWidget>
#include <QPointer>

class QAction;

namespace lum::qt::log {

class View;

// The message window: a dock holding a View fed by Log. It is shown while the given checkable
// action is checked, and closing it unchecks the action.
class Window : public QDockWidget
{
    Q_OBJECT

public:
    Window(QAction* action, QWidget* parent = nullptr);

    View* view() const { return _view; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void translate();

private:
    void followVisibility();

    QPointer<QAction> _action;
    View* _view;
};

} // namespace lum::qt::log
