#pragma once

#include <QObject>

class QAction;
class QActionGroup;

namespace tavview {

// The workbench's own shared actions, beside the library's: one instance per process.
class Actions : public QObject
{
    Q_OBJECT

    // First, so that the upload action can be made inside it.
    QActionGroup* const _uploadGroup;

public:
    static Actions& singleton();

    // Shows or hides the toolbar; the toolbar keeps it checked while it is visible.
    QAction* const showToolbar;
    // Checked while the upload view is shown; the upload view and the robot task panel set it
    // and listen to its triggered(bool). Alone in an exclusive group, so only code unchecks it.
    QAction* const uploadCurProj;

public slots:
    void translate();

private:
    Actions();
};

} // namespace tavview
