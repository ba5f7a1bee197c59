#pragma once

#include <QMap>
#include <QMenu>

class QActionGroup;

namespace tavview::menu {

// The library's window command and, below it, one numbered entry per open dialog of the
// active project, gathered each time the menu opens.
class Window : public QMenu
{
    Q_OBJECT

public:
    explicit Window(QWidget* parent = nullptr);

public slots:
    void translate();
    void on_aboutToShow();
    void on_windowActionTriggered(QAction* action);

private:
    QActionGroup* _windowActionGroup = nullptr;
    QMap<QAction*, QWidget*> _windowActions;
};

} // namespace tavview::menu
