#pragma once

#include <lumlink/print/SceneExport.h>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTabWidget>
#include <optional>

class QMenu;

namespace util {
class UniqueId;
}

namespace lumlink::project {

class Project;
class TabNameEditor;

// The program view of a project: one closable tab per opened program, a function-block diagram
// editor or a sequence chart editor. The open tabs and the current one are what the project saves;
// the view's commands (zoom, fit, magnifier, the edit actions, export) act on the current tab.
class View : public QTabWidget
{
    Q_OBJECT

public:
    explicit View(Project* project, QWidget* parent = nullptr);
    ~View() override;

    Project* project() const { return _project; }
    // The project's windows that are open, as the Window menu lists them.
    QList<QWidget*> dialogs() const;

    // The program shown in the tab, empty for an index out of range.
    QString programName(int index) const;
    // The tab showing the program, -1 when it is not open.
    int indexOfProgram(const QString& program) const;

    // Makes a program with a name not yet taken, in one undoable step, and opens it: a sequence
    // chart for the sequence model's type id, a function-block diagram for any other. Returns its
    // name, empty when the project refused (for example while protected).
    QString newSdf(const util::UniqueId& modelType);

    // Renames the program in one undoable step; the tabs follow. A refused name (empty, no valid
    // name, already taken, or the project protected) goes to statusMessage() with the reason.
    bool renameProgram(const QString& program, const QString& newName);
    // The context menu of the tab at the index, owned by the caller; null for no tab.
    QMenu* createTabMenu(int index);

    // The current program as a PDF (PostScript for a ".ps" path) or as an image of the path's
    // format. A failure is logged to the message window and leaves no file.
    bool exportProgramToPdfPs(const QString& path);
    bool exportProgramToImage(const QString& path);
    // The whole project as a document: PDF, or PostScript for a ".ps" path; a failure as above.
    bool exportProjectToPdfPs(const QString& path);

public slots:
    // Opens the program's tab if it is not open yet and, with raise, makes it the current one.
    // False for a name that is no program of the project.
    bool on_raiseView(const QString& program, bool raise = true);
    void zoomIn();
    void zoomOut();
    void fit();
    void setMagnifierEnabled(bool enabled);
    // Lays a line edit over the tab's text to rename its program in place (also on a
    // double-click on the tab).
    void editTabName(int index);

signals:
    // A refused gesture or another note of an editor, for the status bar.
    void statusMessage(const QString& message);

private:
    // The one place that makes an editor for a program; null for a name that is no program.
    QWidget* createEditor(const QString& program);
    void closeTab(int index);
    void on_programAdded(const QString& program);
    void on_programRemoved(const QString& program);
    void on_programRenamed(const QString& program, const QString& newName);
    void on_tabNameOffered(const QString& program, const QString& newName, bool finished);
    void closeTabNameEditor();
    void showTabMenu(const QPoint& tabBarPoint);
    // Hands the open tabs and the current one to the project.
    void saveTabs();
    // The library's edit actions reach the current editor of the active project's view only.
    bool isActiveView() const;
    void forwardToEditor(const char* slot);
    void selectAll();
    void clearSelection();
    // What the current tab's editor writes, or nothing without a tab.
    std::optional<print::SceneExport> currentExporter() const;
    bool failExport(const QString& path, const QString& reason);
    QString unusedProgramName(const QString& stem) const;

    QPointer<Project> _project;
    QHash<const QWidget*, QString> _programs;
    // Programs this view made: a redo of their creation opens them again.
    QSet<QString> _created;
    bool _magnifierEnabled = false;
    QPointer<TabNameEditor> _tabNameEditor;
};

} // namespace lumlink::project
