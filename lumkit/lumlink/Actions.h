#pragma once

#include <QObject>

class QAction;

namespace lumlink {

// The workbench's shared commands, one QAction each, placed by the program into its menus
// and toolbar. Where the workbench itself answers an action it connects to triggered(); the
// library answers these itself:
// - mainWindowLibraryAction (F1) opens the help contents;
// - viewLibraryAction1 shows the active project's global-variables window,
//   viewLibraryAction2 its devices window, and windowDialogsAction raises every open window
//   of the active project;
// - toolbarLibraryAction is given to the block palette, which it shows and raises;
// - logWindowAction (checkable) is given to the message window, which it shows and hides;
// - cutAction, copyAction, pasteAction, deleteAction, selectAllAction and
//   clearSelectionAction act on the current program editor, which connects to them.
// Texts follow the language; shortcuts are the platform's standard keys.
class Actions : public QObject
{
    Q_OBJECT

public:
    static Actions& singleton();

    QAction* const newProjectAction;
    QAction* const openAction;
    QAction* const saveAction;
    QAction* const saveAsAction;
    QAction* const protectAction;
    QAction* const quitAction;
    QAction* const importSdfAction;
    QAction* const exportProgramAction;
    QAction* const exportProjectAction;
    QAction* const newSdfAction;

    QAction* const cutAction;
    QAction* const copyAction;
    QAction* const copyGlobalAction;
    QAction* const pasteAction;
    QAction* const deleteAction;
    QAction* const selectAllAction;
    QAction* const selectAllGlobalAction;
    QAction* const clearSelectionAction;
    QAction* const clearSelectionGlobalAction;

    QAction* const zoomInAction;
    QAction* const zoomOutAction;
    QAction* const fitAction;
    QAction* const magnifierAction;
    QAction* const logWindowAction;
    QAction* const viewLibraryAction1;
    QAction* const viewLibraryAction2;
    QAction* const toolbarLibraryAction;

    QAction* const windowDialogsAction;
    QAction* const optionsAction;
    QAction* const mainWindowLibraryAction;
    QAction* const showAboutDialogAction;
    QAction* const onTheWebAction;
    QAction* const tavSimOnTheWebAction;

public slots:
    void translate();

private:
    Actions();
};

} // namespace lumlink
