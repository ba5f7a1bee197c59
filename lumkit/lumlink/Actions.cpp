#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/HelpSystem.h>
#include <lumlink/HelpWindow.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <QAction>
#include <QIcon>
#include <QWidget>

namespace lumlink {

namespace {

QAction* make(QObject* parent, const char* icon = nullptr, QKeySequence shortcut = QKeySequence())
{
    auto* action = new QAction(parent);
    if (icon)
        action->setIcon(QIcon(QStringLiteral(":/silk/") + QLatin1String(icon) + QStringLiteral(".png")));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction* make(QObject* parent, const char* icon, QKeySequence::StandardKey key)
{
    return make(parent, icon, QKeySequence(key));
}

void set(QAction* action, const QString& text, const QString& toolTip)
{
    action->setText(text);
    action->setToolTip(toolTip);
    action->setStatusTip(toolTip);
}

} // namespace

Actions& Actions::singleton()
{
    static Actions instance;
    return instance;
}

Actions::Actions()
    : newProjectAction(make(this, "page_white", QKeySequence::New)),
      openAction(make(this, "folder", QKeySequence::Open)),
      saveAction(make(this, "disk", QKeySequence::Save)),
      saveAsAction(make(this, "page_save", QKeySequence::SaveAs)), protectAction(make(this, "lock")),
      quitAction(make(this, "door_out", QKeySequence::Quit)), importSdfAction(make(this, "page_white_get")),
      exportProgramAction(make(this, "page_white_acrobat")), exportProjectAction(make(this, "printer")),
      newSdfAction(make(this, "bricks")), cutAction(make(this, "cut", QKeySequence::Cut)),
      // The window-wide variants carry the keys; the main window passes them on to the editor
      // variants, or to the message window when that has the focus.
      copyAction(make(this, "page_copy")), copyGlobalAction(make(this, "page_copy", QKeySequence::Copy)),
      pasteAction(make(this, "page_paste", QKeySequence::Paste)),
      deleteAction(make(this, "delete", QKeySequence::Delete)), selectAllAction(make(this)),
      selectAllGlobalAction(make(this, nullptr, QKeySequence::SelectAll)), clearSelectionAction(make(this)),
      clearSelectionGlobalAction(make(this, nullptr, QKeySequence::Deselect)),
      zoomInAction(make(this, "zoom_in", QKeySequence::ZoomIn)),
      zoomOutAction(make(this, "zoom_out", QKeySequence::ZoomOut)), fitAction(make(this, "arrow_out")),
      magnifierAction(make(this, "magnifier")), logWindowAction(make(this, "application_xp_terminal")),
      viewLibraryAction1(make(this, "table")), viewLibraryAction2(make(this, "computer")),
      toolbarLibraryAction(make(this, "palette")), windowDialogsAction(make(this, "application_form")),
      optionsAction(make(this, "wrench")),
      mainWindowLibraryAction(make(this, "help", QKeySequence::HelpContents)),
      showAboutDialogAction(make(this, "information")), onTheWebAction(make(this, "world_link")),
      tavSimOnTheWebAction(make(this, "world_link"))
{
    magnifierAction->setCheckable(true);
    logWindowAction->setCheckable(true);
    connect(mainWindowLibraryAction, &QAction::triggered, this,
            [] { HelpSystem::singleton().showTopic(HelpSystem::ContentsTopic); });
    connect(viewLibraryAction1, &QAction::triggered, this, [] {
        if (project::Project* active = project::Manager::singleton().activeProject()) {
            QWidget* window = active->globalVariablesWindow();
            window->show();
            window->raise();
        }
    });
    connect(viewLibraryAction2, &QAction::triggered, this, [] {
        if (project::Project* active = project::Manager::singleton().activeProject()) {
            QWidget* window = active->devicesWindow();
            window->show();
            window->raise();
        }
    });
    connect(windowDialogsAction, &QAction::triggered, this, [] {
        if (project::Project* active = project::Manager::singleton().activeProject()) {
            for (QWidget* dialog : active->dialogs())
                dialog->raise();
        }
    });
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Actions::translate);
    translate();
}

void Actions::translate()
{
    set(newProjectAction, tr("&New Project"), tr("Create a new project"));
    set(openAction, tr("&Open..."), tr("Open a project"));
    set(saveAction, tr("&Save"), tr("Save the project"));
    set(saveAsAction, tr("Save &As..."), tr("Save the project under a new name"));
    set(protectAction, tr("&Protection..."), tr("Protect the project with a password"));
    set(quitAction, tr("&Quit"), tr("Quit the application"));
    set(importSdfAction, tr("&Programs from Project..."), tr("Import programs from another project"));
    set(exportProgramAction, tr("Current &Program..."),
        tr("Export the current program as a document or image"));
    set(exportProjectAction, tr("Whole P&roject..."),
        tr("Export every program of the project as a document"));
    set(newSdfAction, tr("New &Program"), tr("Create a new program in the project"));
    set(cutAction, tr("Cu&t"), tr("Cut the selection to the clipboard"));
    set(copyAction, tr("&Copy"), tr("Copy the selection to the clipboard"));
    set(copyGlobalAction, tr("&Copy"), tr("Copy the selection to the clipboard"));
    set(pasteAction, tr("&Paste"), tr("Paste the clipboard"));
    set(deleteAction, tr("&Delete"), tr("Delete the selection"));
    set(selectAllAction, tr("Select &All"), tr("Select everything"));
    set(selectAllGlobalAction, tr("Select &All"), tr("Select everything"));
    set(clearSelectionAction, tr("Clear Se&lection"), tr("Select nothing"));
    set(clearSelectionGlobalAction, tr("Clear Se&lection"), tr("Select nothing"));
    set(zoomInAction, tr("Zoom &In"), tr("Show the program larger"));
    set(zoomOutAction, tr("Zoom &Out"), tr("Show the program smaller"));
    set(fitAction, tr("&Fit to Window"), tr("Show the whole program"));
    set(magnifierAction, tr("&Magnifier"), tr("Magnify the program under the mouse"));
    set(logWindowAction, tr("&Message Window"), tr("Show or hide the message window"));
    set(viewLibraryAction1, tr("&Global Variables"), tr("Show the global variables of the project"));
    set(viewLibraryAction2, tr("&Devices"), tr("Show the devices of the project"));
    set(toolbarLibraryAction, tr("&Blocks"), tr("Show the palette of function blocks"));
    set(windowDialogsAction, tr("&Raise All Windows"), tr("Bring every window of the project to the front"));
    set(optionsAction, tr("&Options..."), tr("Change the settings"));
    set(mainWindowLibraryAction, tr("&Help Contents"), tr("Open the help"));
    set(showAboutDialogAction, tr("&About..."), tr("Show the version and the licence"));
    set(onTheWebAction, tr("Tavik View on the &Web"), tr("Open the product's web page"));
    set(tavSimOnTheWebAction, tr("Tavik &Simulator on the Web"), tr("Open the simulator's web page"));
}

} // namespace lumlink
