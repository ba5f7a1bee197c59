#pragma once

#include <QMenu>

namespace lumlink::project {
class Project;
}

namespace tavview::menu {

// Undo and redo of the active project (disabled stand-ins without one) and the editing
// commands. Opened, the menu offers what the current editor's selection and the clipboard allow;
// closed, the commands' shortcuts reach every editor that is not protected. A sequence chart has
// no clipboard, and nothing edits a protected project.
class Edit : public QMenu
{
    Q_OBJECT

public:
    explicit Edit(QWidget* parent = nullptr);
    ~Edit() override;

public slots:
    void translate();
    void on_aboutToShow();
    void on_aboutToHide();
    // The current editor or its protection changed while the menu is closed.
    void on_editorChanged();
    void on_projMgr_activeProjectChanged(lumlink::project::Project* project);

private:
    // Parentless, so that clear() does not delete them.
    QAction* _undoPlaceholder;
    QAction* _redoPlaceholder;
};

} // namespace tavview::menu
