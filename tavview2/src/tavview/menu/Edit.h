#pragma once

#include <QMenu>

namespace lumlink::project {
class Project;
}

namespace tavview::menu {

// Undo and redo of the active project (disabled stand-ins without one) and the editing
// commands, whose enabling follows the program view when the menu opens.
class Edit : public QMenu
{
    Q_OBJECT

public:
    explicit Edit(QWidget* parent = nullptr);
    ~Edit() override;

public slots:
    void translate();
    void on_aboutToShow();
    void on_projMgr_activeProjectChanged(lumlink::project::Project* project);

private:
    // Parentless, so that clear() does not delete them.
    QAction* _undoPlaceholder;
    QAction* _redoPlaceholder;
};

} // namespace tavview::menu
