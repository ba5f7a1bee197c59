#pragma once

#include <kiroutil/log/Log.h>
#include <QMainWindow>
#include <QPointer>
#include <string>

class QMessageBox;

namespace lum::qt::log {
class Window;
}

namespace lumlink::project {
class Project;
class View;
} // namespace lumlink::project

namespace lumlink::sdf {
class BlockPalette;
}

namespace tavview {

class TaskView;

namespace toolbar {
class Bar;
}

// The workbench's only top-level window: menus, toolbar, message window and the program view
// of the one active project, with the project's life as the user sees it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    void open(const QString& path);
    QString applicationName() const;
    QString projectLoadFilter() const;
    QString projectSaveFilter() const;
    void setComponentEnabled(bool enabled);

    TaskView* taskView() const { return _taskView; }
    toolbar::Bar* toolBar() const { return _toolBar; }
    lum::qt::log::Window* logWindow() const { return _logWindow; }
    lumlink::sdf::BlockPalette* blockPalette() const { return _blockPalette; }
    // The active project's program view.
    lumlink::project::View* programView() const;

    // The name a save-as answer is saved under: without ".tkpx" or ".tkp2" it is saved compressed.
    static QString projectFileName(const QString& answer);

public slots:
    void on_newProjectAction_triggered(bool restoreLayout = true);
    void on_quitAction_triggered();
    void on_openAction_triggered();
    bool on_saveAction_triggered();
    bool on_saveAsAction_triggered();
    void on_importSdfAction_triggered();
    void on_exportProgramAction_triggered();
    void on_exportProjectAction_triggered();
    void on_copyGlobalAction_triggered();
    void on_selectAllGlobalAction_triggered();
    void on_clearSelectionGlobalAction_triggered();
    void on_activeProjectChanged(lumlink::project::Project* project);
    void on_projectDisplayNameChanged(const QString& name, lumlink::project::Project* project);
    void on_project_wasModified(lumlink::project::Project* project);
    void on_recentFilesTriggered(const QString& path);
    void on_newSdf_triggered();
    void on_options_triggered();
    void on_showAboutDialog_triggered();
    void on_onTheWeb_triggered();
    void on_tavSimOnTheWeb_triggered();
    void on_zoomIn_triggered();
    void on_zoomOut_triggered();
    void on_fit_triggered();
    void on_magnifier_toggled(bool on);
    void on_protect_triggered();

protected:
    void closeEvent(QCloseEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    // The one place that decides which widget shows the active project's programs.
    static lumlink::project::View* createProgramView(lumlink::project::Project* project);

    QStringList programExportFilters() const;
    QStringList projectExportFilters() const;
    static QString exportDirectory();
    // The export dialog: the chosen name, or empty; remembers the filter and the directory.
    QString chooseExportFile(const QString& proposedName, const QStringList& filters,
                             const QString& filterKey);

    void readSettings();
    void writeSettings();
    void updateWindowTitle();
    bool maybeSave();
    void addTavikDevice(lumlink::project::Project* project);
    void replaceProgramView(lumlink::project::Project* project);
    void logMessageReceiver(kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message);
    void showError(const QString& message);
    void placeBlock(const QString& typeId);

    TaskView* _taskView;
    toolbar::Bar* _toolBar;
    lum::qt::log::Window* _logWindow = nullptr;
    lumlink::sdf::BlockPalette* _blockPalette = nullptr;
    int _logRegistration = 0;
    // At most one error box at a time; errors arriving meanwhile are only counted on it.
    QPointer<QMessageBox> _errorBox;
    int _errorsWhileBoxOpen = 0;
};

} // namespace tavview
