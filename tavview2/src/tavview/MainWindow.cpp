#include "tavview/MainWindow.h"

#include "tavview/AboutScreen.h"
#include "tavview/Brand.h"
#include "tavview/ProjectProtection.h"
#include "tavview/ProtectDialog.h"
#include "tavview/TaskView.h"
#include "tavview/WebLinks.h"
#include "tavview/menu/Bar.h"
#include "tavview/menu/Edit.h"
#include "tavview/toolbar/Bar.h"
#include "tavview/uploader/Options.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lum/qt/FileHistory.h>
#include <lum/qt/gui/option/Dialog.h>
#include <lum/qt/log/Log.h>
#include <lum/qt/log/View.h>
#include <lum/qt/log/Window.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/HelpSystem.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/View.h>
#include <lumlink/project/import/DeviceMappingDialog.h>
#include <lumlink/project/import/SdfDialog.h>
#include <lumlink/sdf/BlockPalette.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sfc/model/Model.h>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImageWriter>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QUndoStack>
#include <algorithm>

namespace tavview {

using lumlink::project::Project;

namespace {

constexpr int windowStateVersion = 0;

lumlink::project::Manager& projects()
{
    return lumlink::project::Manager::singleton();
}

// The message window's text, when it has the keyboard focus.
lum::qt::log::View* focusedLogView()
{
    return qobject_cast<lum::qt::log::View*>(QApplication::focusWidget());
}

} // namespace

MainWindow::MainWindow() : _taskView(new TaskView(this)), _toolBar(new toolbar::Bar(this))
{
    setObjectName(QStringLiteral("MainWindow"));
    statusBar();
    updateWindowTitle();

    setMenuWidget(new menu::Bar(this));
    addToolBar(_toolBar);
    setDockOptions(AnimatedDocks | AllowTabbedDocks | VerticalTabs);

    const lumlink::Actions& actions = lumlink::Actions::singleton();
    _logWindow = new lum::qt::log::Window(actions.logWindowAction, this);
    _logWindow->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::BottomDockWidgetArea, _logWindow);
    _logWindow->hide();
    addAction(actions.mainWindowLibraryAction);
    _blockPalette = new lumlink::sdf::BlockPalette(actions.toolbarLibraryAction, this);
    _blockPalette->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::LeftDockWidgetArea, _blockPalette);
    _blockPalette->hide();
    connect(_blockPalette, &lumlink::sdf::BlockPalette::placeRequested, this, &MainWindow::placeBlock);

    connect(actions.newProjectAction, &QAction::triggered, this,
            [this] { on_newProjectAction_triggered(true); });
    connect(actions.quitAction, &QAction::triggered, this, &MainWindow::on_quitAction_triggered);
    connect(actions.openAction, &QAction::triggered, this, &MainWindow::on_openAction_triggered);
    connect(actions.saveAction, &QAction::triggered, this, &MainWindow::on_saveAction_triggered);
    connect(actions.saveAsAction, &QAction::triggered, this, &MainWindow::on_saveAsAction_triggered);
    connect(actions.importSdfAction, &QAction::triggered, this, &MainWindow::on_importSdfAction_triggered);
    connect(actions.exportProgramAction, &QAction::triggered, this,
            &MainWindow::on_exportProgramAction_triggered);
    connect(actions.exportProjectAction, &QAction::triggered, this,
            &MainWindow::on_exportProjectAction_triggered);
    connect(actions.copyGlobalAction, &QAction::triggered, this, &MainWindow::on_copyGlobalAction_triggered);
    connect(actions.selectAllGlobalAction, &QAction::triggered, this,
            &MainWindow::on_selectAllGlobalAction_triggered);
    connect(actions.clearSelectionGlobalAction, &QAction::triggered, this,
            &MainWindow::on_clearSelectionGlobalAction_triggered);
    connect(actions.optionsAction, &QAction::triggered, this, &MainWindow::on_options_triggered);
    connect(actions.showAboutDialogAction, &QAction::triggered, this,
            &MainWindow::on_showAboutDialog_triggered);
    connect(actions.onTheWebAction, &QAction::triggered, this, &MainWindow::on_onTheWeb_triggered);
    connect(actions.tavSimOnTheWebAction, &QAction::triggered, this,
            &MainWindow::on_tavSimOnTheWeb_triggered);
    connect(actions.protectAction, &QAction::triggered, this, &MainWindow::on_protect_triggered);
    connect(actions.newSdfAction, &QAction::triggered, this, &MainWindow::on_newSdf_triggered);
    connect(actions.zoomInAction, &QAction::triggered, this, &MainWindow::on_zoomIn_triggered);
    connect(actions.zoomOutAction, &QAction::triggered, this, &MainWindow::on_zoomOut_triggered);
    connect(actions.fitAction, &QAction::triggered, this, &MainWindow::on_fit_triggered);
    connect(actions.magnifierAction, &QAction::toggled, this, &MainWindow::on_magnifier_toggled);
    connect(&lum::qt::FileHistory::singleton(), &lum::qt::FileHistory::triggered, this,
            &MainWindow::on_recentFilesTriggered);
    connect(&projects(), &lumlink::project::Manager::activeProjectChanged, this,
            &MainWindow::on_activeProjectChanged);
    connect(&projects(), &lumlink::project::Manager::projectDisplayNameChanged, this,
            &MainWindow::on_projectDisplayNameChanged);
    connect(&projects(), &lumlink::project::Manager::projectWasModified, this,
            &MainWindow::on_project_wasModified);

    readSettings();
    _logRegistration = kiroutil::Log::singleton().registerReceiver(
        [this](kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message) {
            logMessageReceiver(verbosity, message);
        },
        kiroutil::Log::Warning);
    on_newProjectAction_triggered(false);
    lumlink::HelpSystem::singleton().setMainWindow(this);
    setCentralWidget(_taskView);
}

MainWindow::~MainWindow()
{
    // No message may be posted to a window that is gone.
    kiroutil::Log::singleton().deregisterReceiver(_logRegistration);
}

lumlink::project::View* MainWindow::createProgramView(Project* project)
{
    return new lumlink::project::View(project);
}

lumlink::project::View* MainWindow::programView() const
{
    return qobject_cast<lumlink::project::View*>(_taskView->programView());
}

QString MainWindow::applicationName() const
{
    return Brand::fromSettings().applicationName();
}

QString MainWindow::projectLoadFilter() const
{
    return tr("Tavik %1 View Projects").arg(QChar(0xAE)) + QStringLiteral(" (*.tkpx *.tkp2)");
}

QString MainWindow::projectSaveFilter() const
{
    return tr("Compressed Tavik %1 View Projects (*.%2)").arg(QChar(0xAE)).arg(QStringLiteral("tkpx")) +
           QStringLiteral(";;") +
           tr("Uncompressed Tavik %1 View Projects (*.%2)").arg(QChar(0xAE)).arg(QStringLiteral("tkp2"));
}

QString MainWindow::projectFileName(const QString& answer)
{
    if (answer.endsWith(QLatin1String(".tkpx")) || answer.endsWith(QLatin1String(".tkp2")))
        return answer;
    return answer + QStringLiteral(".tkpx");
}

void MainWindow::readSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("MainWindow"));
    resize(settings.value(QStringLiteral("size"), QSize(400, 400)).toSize());
    move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());
    restoreState(settings.value(QStringLiteral("state")).toByteArray(), windowStateVersion);
}

void MainWindow::writeSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("MainWindow"));
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("state"), saveState(windowStateVersion));
}

void MainWindow::updateWindowTitle()
{
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    const Project* project = projects().activeProject();
    if (!project) {
        setWindowTitle(applicationName());
        actions.saveAction->setEnabled(false);
        actions.saveAsAction->setEnabled(false);
        return;
    }
    setWindowTitle(tr("%1[*] - %2").arg(project->displayName(), applicationName()));
    setWindowModified(project->isModified());
    actions.saveAction->setEnabled(project->isModified());
    actions.saveAsAction->setEnabled(true);
}

bool MainWindow::maybeSave()
{
    if (!isWindowModified())
        return true;
    const auto answer = QMessageBox::warning(
        this, applicationName(), tr("The project has been modified.\nDo you want to save your changes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return on_saveAction_triggered();
    return answer != QMessageBox::Cancel;
}

void MainWindow::replaceProgramView(Project* project)
{
    QWidget* previous = _taskView->programView();
    lumlink::project::View* view = createProgramView(project);
    view->setMagnifierEnabled(lumlink::Actions::singleton().magnifierAction->isChecked());
    connect(view, &lumlink::project::View::statusMessage, this,
            [this](const QString& message) { statusBar()->showMessage(message, 5000); });
    auto* edit = static_cast<menu::Bar*>(menuWidget())->edit();
    connect(view, &QTabWidget::currentChanged, edit, &menu::Edit::on_editorChanged);
    connect(project, &Project::protectionChanged, edit, &menu::Edit::on_editorChanged);
    _taskView->setProgramView(view);
    delete previous;
}

void MainWindow::on_newProjectAction_triggered(bool restoreLayout)
{
    projects().terminateExecutions();
    const QByteArray state = saveState(windowStateVersion);
    if (projects().activeProject() && !maybeSave())
        return;
    Project* project = projects().createNewProject();
    addTavikDevice(project);
    replaceProgramView(project);
    const auto& model = *project->kirogenProject();
    if (!model.sfcModels().empty())
        programView()->on_raiseView(QString::fromStdString(model.sfcModels().front()->name()), true);
    else if (!model.diagrams().empty())
        programView()->on_raiseView(QString::fromStdString(model.diagrams().begin()->first), true);
    project->setLayoutModified(false);
    if (restoreLayout) {
        QCoreApplication::processEvents();
        restoreState(state, windowStateVersion);
    }
}

void MainWindow::addTavikDevice(Project* project)
{
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(
        lumlink::project::Device::RobotTypeId);
    if (!type) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Could not find Tavik device."));
        return;
    }
    const auto instance = type->createDeviceInstance(project->kirogenProject(), type->displayName());
    if (!instance) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Could not load Tavik device."));
        return;
    }
    project->addDevice(lumlink::project::Device::create(instance, project));
    // The robot belongs to every fresh project: not an edit to undo, nor one to save.
    project->undoStack()->clear();
}

void MainWindow::on_openAction_triggered()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Project"), QSettings().value(QStringLiteral("loadDirectory")).toString(),
        projectLoadFilter());
    if (!path.isEmpty() && maybeSave())
        open(path);
}

void MainWindow::on_recentFilesTriggered(const QString& path)
{
    if (!projects().activeProject() || maybeSave())
        open(path);
}

void MainWindow::open(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    if (path.isEmpty())
        return;
    const QFileInfo file(path);
    if (!file.exists()) {
        QMessageBox::information(
            this, QCoreApplication::applicationName(),
            tr("The file %1 could not be found. Please check whether the filename is correct and try again.")
                .arg(path));
        return;
    }
    QMap<int, QString> programsToOpen;
    int tabToSelect = -1;
    Project* project = projects().createProjectFromFile(file, &programsToOpen, &tabToSelect);
    if (!project) {
        QMessageBox::warning(
            this, applicationName(),
            tr("The file %1 failed to load. Please see the message window for details.").arg(path));
        return;
    }
    projects().terminateExecutions();
    const QByteArray state = saveState(windowStateVersion);
    replaceProgramView(project);
    lumlink::project::View* view = programView();
    for (const QString& program : programsToOpen)
        view->on_raiseView(program, true);
    if (tabToSelect >= 0 && tabToSelect < view->count())
        view->setCurrentIndex(tabToSelect);
    QSettings().setValue(QStringLiteral("loadDirectory"), file.absolutePath());
    lum::qt::FileHistory::singleton().add(file);
    QCoreApplication::processEvents();
    restoreState(state, windowStateVersion);
    project->setLayoutModified(false);
    lum::qt::log::Log::log(QStringLiteral("Opened %1 in %2 msecs").arg(path).arg(timer.elapsed()));
}

bool MainWindow::on_saveAction_triggered()
{
    Project* project = projects().activeProject();
    if (!project)
        return false;
    if (!project->fileInfo().exists())
        return on_saveAsAction_triggered();
    if (!project->save())
        return false;
    lum::qt::FileHistory::singleton().add(project->fileInfo());
    return true;
}

bool MainWindow::on_saveAsAction_triggered()
{
    Project* project = projects().activeProject();
    if (!project)
        return false;
    const QString answer = QFileDialog::getSaveFileName(
        nullptr, tr("Save Project As"), QSettings().value(QStringLiteral("loadDirectory")).toString(),
        projectSaveFilter());
    if (answer.isEmpty())
        return false;
    const QFileInfo file(projectFileName(answer));
    if (!project->saveAs(file))
        return false;
    lum::qt::FileHistory::singleton().add(file);
    QSettings().setValue(QStringLiteral("loadDirectory"), file.absolutePath());
    return true;
}

void MainWindow::on_importSdfAction_triggered()
{
    Project* project = projects().activeProject();
    if (!project)
        return;
    QSettings settings;
    // The file of the last import, so that the dialog starts beside it with it selected.
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Choose Project"),
        settings.value(QStringLiteral("importLoadDirectory"), settings.value(QStringLiteral("loadDirectory")))
            .toString(),
        projectLoadFilter());
    if (path.isEmpty())
        return;
    settings.setValue(QStringLiteral("importLoadDirectory"), path);
    const QFileInfo file(path);
    QMap<QString, QStringList> programs;
    QMap<QString, QString> devices;
    if (!project->getSDFsAndDevs(file, programs, devices)) {
        QMessageBox::information(this, tr("Invalid project"),
                                 tr("The specified project could not be loaded."), QMessageBox::Ok);
        return;
    }
    QMap<QString, QString> mapping;
    if (!devices.isEmpty()) {
        lumlink::project::import::DeviceMappingDialog mappingDialog(devices, project, this);
        if (mappingDialog.exec() != QDialog::Accepted)
            return;
        mapping = mappingDialog.getMapping();
    }
    lumlink::project::import::SdfDialog selectionDialog(programs, devices, mapping, this);
    if (selectionDialog.exec() == QDialog::Accepted)
        project->importSDFsIntoProject(file, selectionDialog.getSelection(), mapping);
}

QStringList MainWindow::programExportFilters() const
{
    // The image filter lists what this Qt can write, in the writer's order.
    QStringList patterns;
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return projectExportFilters() << tr("Image") + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                                         QLatin1Char(')');
}

QStringList MainWindow::projectExportFilters() const
{
    return {tr("PDF document (*.pdf)"), tr("PostScript document (*.ps)")};
}

QString MainWindow::chooseExportFile(const QString& proposedName, const QStringList& filters,
                                     const QString& filterKey)
{
    QSettings settings;
    // A stored index outside the list (the settings edited by hand) falls back to the first filter.
    const int stored = settings.value(filterKey, 0).toInt();
    QString selectedFilter = filters.value(stored, filters.first());
    const QString name = QFileDialog::getSaveFileName(this, tr("Specify file name"), proposedName,
                                                      filters.join(QStringLiteral(";;")), &selectedFilter);
    if (name.isEmpty())
        return name;
    settings.setValue(filterKey, std::max(0, filters.indexOf(selectedFilter)));
    settings.setValue(QStringLiteral("Export/saveDirectory"), QFileInfo(name).absolutePath());
    return name;
}

// The directory of the last export, or else of the last opened or saved project.
QString MainWindow::exportDirectory()
{
    QSettings settings;
    return settings
        .value(QStringLiteral("Export/saveDirectory"), settings.value(QStringLiteral("loadDirectory")))
        .toString();
}

void MainWindow::on_exportProgramAction_triggered()
{
    lumlink::project::View* view = programView();
    if (!projects().activeProject() || !view)
        return;
    const QFileInfo projectFile = projects().activeProject()->fileInfo();
    QString proposedName = exportDirectory() + QLatin1Char('/');
    if (!projectFile.filePath().isEmpty())
        proposedName += projectFile.baseName() + QLatin1Char('_');
    proposedName += view->tabText(view->currentIndex());
    const QString name = chooseExportFile(proposedName, programExportFilters(),
                                          QStringLiteral("Export/programSelectedFilter"));
    if (name.isEmpty())
        return;
    // The name's ending decides, not the filter: any other name is written as an image.
    if (name.endsWith(QLatin1String(".pdf")) || name.endsWith(QLatin1String(".ps")))
        view->exportProgramToPdfPs(name);
    else
        view->exportProgramToImage(name);
}

void MainWindow::on_exportProjectAction_triggered()
{
    lumlink::project::View* view = programView();
    if (!projects().activeProject() || !view)
        return;
    const QFileInfo projectFile = projects().activeProject()->fileInfo();
    QString proposedName = exportDirectory() + QLatin1Char('/');
    if (!projectFile.filePath().isEmpty())
        proposedName += projectFile.baseName();
    const QString name = chooseExportFile(proposedName, projectExportFilters(),
                                          QStringLiteral("Export/projectSelectedFilter"));
    if (!name.isEmpty())
        view->exportProjectToPdfPs(name);
}

void MainWindow::on_quitAction_triggered()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    projects().terminateExecutions();
    if (centralWidget() == _taskView)
        _taskView->close();
    writeSettings();
    event->accept();
    for (QDockWidget* dock : findChildren<QDockWidget*>())
        dock->close();
}

void MainWindow::on_copyGlobalAction_triggered()
{
    if (lum::qt::log::View* view = focusedLogView())
        view->copy();
    else
        lumlink::Actions::singleton().copyAction->trigger();
}

void MainWindow::on_selectAllGlobalAction_triggered()
{
    if (lum::qt::log::View* view = focusedLogView())
        view->selectAll();
    else
        lumlink::Actions::singleton().selectAllAction->trigger();
}

void MainWindow::on_clearSelectionGlobalAction_triggered()
{
    if (lum::qt::log::View* view = focusedLogView()) {
        QTextCursor cursor = view->textCursor();
        cursor.clearSelection();
        view->setTextCursor(cursor);
    } else {
        lumlink::Actions::singleton().clearSelectionAction->trigger();
    }
}

void MainWindow::on_activeProjectChanged(Project*)
{
    updateWindowTitle();
}

void MainWindow::on_projectDisplayNameChanged(const QString&, Project*)
{
    updateWindowTitle();
}

void MainWindow::on_project_wasModified(Project*)
{
    updateWindowTitle();
}

void MainWindow::on_newSdf_triggered()
{
    if (lumlink::project::View* view = programView())
        view->newSdf(lumlink::sfc::model::Model::typeId());
}

void MainWindow::on_zoomIn_triggered()
{
    if (lumlink::project::View* view = programView())
        view->zoomIn();
}

void MainWindow::on_zoomOut_triggered()
{
    if (lumlink::project::View* view = programView())
        view->zoomOut();
}

void MainWindow::on_fit_triggered()
{
    if (lumlink::project::View* view = programView())
        view->fit();
}

void MainWindow::on_magnifier_toggled(bool on)
{
    if (lumlink::project::View* view = programView())
        view->setMagnifierEnabled(on);
}

void MainWindow::placeBlock(const QString& typeId)
{
    lumlink::project::View* view = programView();
    auto* diagram = view ? qobject_cast<lumlink::sdf::SDFView*>(view->currentWidget()) : nullptr;
    if (!diagram) {
        statusBar()->showMessage(tr("Open a function-block diagram to place a block in it."), 5000);
        return;
    }
    diagram->placeBlockInView(typeId.toStdString());
}

void MainWindow::on_options_triggered()
{
    auto* dialog = new lum::qt::gui::option::Dialog(this, lumlink::Actions::singleton().optionsAction);
    dialog->addPage(new uploader::Options, true);
    dialog->show();
}

void MainWindow::on_showAboutDialog_triggered()
{
    AboutScreen about(this);
    about.setWindowTitle(applicationName());
    about.exec();
}

void MainWindow::on_onTheWeb_triggered()
{
    QDesktopServices::openUrl(
        WebLinks::productPage(lum::qt::translation::Manager::singleton().currentLanguageString()));
}

void MainWindow::on_tavSimOnTheWeb_triggered()
{
    QDesktopServices::openUrl(
        WebLinks::simulatorPage(lum::qt::translation::Manager::singleton().currentLanguageString()));
}

void MainWindow::on_protect_triggered()
{
    Project* project = projects().activeProject();
    if (!project)
        return;
    ProjectProtection protection(*project);
    ProtectDialog dialog(protection, this);
    dialog.exec();
}

void MainWindow::setComponentEnabled(bool enabled)
{
    _toolBar->setEnabled(enabled);
    _taskView->setComponentEnabled(enabled);
    if (menuWidget())
        menuWidget()->setEnabled(enabled);
}

void MainWindow::logMessageReceiver(kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message)
{
    QCoreApplication::postEvent(
        this, new lum::qt::log::Log::MessageReceivedEvent(verbosity, QString::fromStdString(message)));
}

void MainWindow::customEvent(QEvent* event)
{
    if (event->type() != lum::qt::log::Log::MessageReceivedEvent::EventType)
        return;
    const auto* received = static_cast<lum::qt::log::Log::MessageReceivedEvent*>(event);
    if (received->verbosity() == kiroutil::Log::Error || received->verbosity() == kiroutil::Log::Severe)
        showError(received->message());
}

void MainWindow::showError(const QString& message)
{
    // A box inside a box would deliver the next error from its own event loop, without end:
    // later errors are already in the message window, so the open box only counts them.
    if (_errorBox) {
        ++_errorsWhileBoxOpen;
        _errorBox->setInformativeText(
            tr("%n more error(s) since then, listed in the message window.", nullptr, _errorsWhileBoxOpen));
        return;
    }
    _errorsWhileBoxOpen = 0;
    QMessageBox box(QMessageBox::Critical, tr("Error"), message, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("errorBox"));
    _errorBox = &box;
    box.exec();
}

} // namespace tavview
