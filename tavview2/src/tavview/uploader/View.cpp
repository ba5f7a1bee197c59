#include <tavview/uploader/View.h>

#include <tavview/Actions.h>
#include <tavview/LogList.h>
#include <tavview/Telnet.h>
#include <tavview/uploader/Debug.h>
#include <tavview/uploader/FtpUpload.h>
#include <tavview/uploader/FtpView.h>
#include <tavview/uploader/InterpreterCommand.h>
#include <tavview/uploader/Options.h>
#include <tavview/uploader/RobotDevices.h>
#include <tavview/uploader/RobotFtp.h>
#include <tavview/uploader/RobotSideParameters.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <lum/core/Variant.h>
#include <lum/qt/gui/widgets/Progress.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/HelpSystem.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/ProjectFile.h>
#include <util/GzipWriter.h>

#include <QAction>
#include <QDebug>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace tavview::uploader {

namespace {

const QString robotHome = QStringLiteral("/home/tavik/");

// The interpreter's progress texts that the log shows as lines of their own, in this order.
const char* const statusTexts[] = {
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Disconnecting devices"),
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Loading actor types"),
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Loading devices"),
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Loading project"),
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Loading types"),
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Starting program"),
    QT_TRANSLATE_NOOP("tavview::uploader::View", "Successfully connected to all devices"),
};

// "10.0.0.5:2121" -> "10.0.0.5": a port belongs to one service only.
QString hostOf(const QString& address)
{
    const int colon = address.lastIndexOf(QLatin1Char(':'));
    bool isPort = false;
    if (colon >= 0)
        address.midRef(colon + 1).toUShort(&isPort);
    return isPort ? address.left(colon) : address;
}

} // namespace

const QString View::transferTimeoutKey = QStringLiteral("ftp/transferTimeout");

View::View(QWidget* parent)
    : QWidget(parent), _logList(new LogList(this)), _uploadAction(new QAction(this)),
      _refreshAction(new QAction(this)), _helpAction(new QAction(this)), _upperSplitter(new QSplitter(this)),
      _debug(new Debug(this)), _ftpView(new FtpView(this)), _ftpUpload(new FtpUpload(this))
{
    setObjectName(QStringLiteral("uploadView"));
    _logList->setObjectName(QStringLiteral("logList"));
    _uploadAction->setObjectName(QStringLiteral("uploadAction"));
    _refreshAction->setObjectName(QStringLiteral("refreshAction"));
    _helpAction->setObjectName(QStringLiteral("helpAction"));
    _debug->setObjectName(QStringLiteral("variableTableView"));
    connect(_helpAction, &QAction::triggered, this, &View::on_helpAction_triggered);
    _uploadAction->setIcon(QIcon(QStringLiteral(":/images/application_go.png")));
    _refreshAction->setIcon(QIcon(QStringLiteral(":/images/page_refresh.png")));
    _helpAction->setIcon(QIcon(QStringLiteral(":/images/help.png")));

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("uploadTools"));
    tools->addAction(_refreshAction);
    tools->addAction(_uploadAction);
    tools->addAction(_helpAction);
    layout->addWidget(tools);

    _upperSplitter->setOrientation(Qt::Horizontal);
    _upperSplitter->addWidget(_ftpView);
    _upperSplitter->addWidget(_debug);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(_upperSplitter);
    splitter->addWidget(_logList);
    layout->addWidget(splitter);

    connect(_refreshAction, &QAction::triggered, this, &View::on_refreshAction_triggered);
    connect(_uploadAction, &QAction::triggered, this, &View::on_uploadAction_triggered);
    connect(_ftpView, &FtpView::dirClicked, this, &View::on_ftpView_dirClicked);
    connect(_ftpView, &FtpView::programClicked, this, &View::on_ftpView_programClicked);
    connect(_ftpView, &FtpView::listed, this, &View::on_ftpView_listed);
    connect(_ftpView, &FtpView::listingFailed, this, &View::on_ftpView_listingFailed);
    connect(_ftpUpload, &FtpUpload::failed, this, &View::on_ftpUpload_failed);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &View::translate);
    translate();
}

void View::translate()
{
    _uploadAction->setText(tr("Upload"));
    _uploadAction->setToolTip(tr("Upload current project"));
    _refreshAction->setText(tr("Refresh"));
    _refreshAction->setToolTip(tr("Refresh FTP view"));
    _helpAction->setText(tr("Help"));
    _helpAction->setToolTip(tr("Help"));
    if (auto* tools = findChild<QToolBar*>(QStringLiteral("uploadTools"))) {
        tools->setWindowTitle(tr("Tools"));
        tools->setAccessibleName(tr("Tools"));
    }
    setAccessibleName(tr("Upload"));
    _statusTexts.clear();
    for (const char* text : statusTexts)
        _statusTexts.insert(QString::fromLatin1(text), tr(text));
}

void View::on_uploadAction_triggered()
{
    lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    if (!project)
        return;
    const QList<lumlink::project::Device*> devices = project->devices();
    if (lumlink::project::Device* improper = firstImproperDevice(devices)) {
        QMessageBox::information(this, tr("Improper device configuration"),
                                 tr("Please remove %1 from the current project.").arg(improper->name()),
                                 QMessageBox::Ok);
        return;
    }

    QString fileName = project->fileInfo().fileName();
    if (fileName.isEmpty())
        fileName = QStringLiteral("Unnamed.tkpx");
    QString failure;
    try {
        const RobotSideParameters robotSide(devices);
        _projectBytes = project->saveToMem();
    } catch (const std::exception& e) {
        _projectBytes.clear();
        failure = QString::fromStdString(e.what());
    } catch (...) {
        _projectBytes.clear();
    }
    if (_projectBytes.isEmpty()) {
        _logList->addLogEntry(LogEntry(
            LogEntry::Error, failure.isEmpty() ? tr("The project could not be written.")
                                               : tr("The project could not be written: %1").arg(failure)));
        return;
    }
    // The robot's interpreter reads any name but ".tkp2" as compressed.
    if (!lumlink::project::ProjectFile::isPlain(fileName))
        _projectBytes = util::GzipWriter::compress(_projectBytes);

    setActionsEnabled(false);
    showProgressWidget(tr("Upload %1").arg(fileName));
    _uploadFileName = fileName;
    _ftpUpload->setStallTimeout(QSettings().value(transferTimeoutKey, defaultTransferTimeoutMs).toInt());
    // Into the folder shown, which is always one of the robot's home.
    QString folder = _currentFolder.startsWith(robotHome) ? _currentFolder : robotHome;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    _ftpReply = _ftpUpload->start(ftpUrl(folder + fileName), _projectBytes);
    connect(_ftpReply, &QNetworkReply::finished, this, &View::on_ftpReply_finished);
    connect(_ftpReply, &QNetworkReply::errorOccurred, this, &View::on_ftpReply_error);
}

void View::on_refreshAction_triggered()
{
    if (_ftpReply) {
        _ftpReply = nullptr;
        _ftpUpload->abort();
    }
    setActionsEnabled(false);
    if (!_currentFolder.startsWith(robotHome))
        _currentFolder = robotHome;
    showProgressWidget(tr("Refreshing"));
    _refreshing = true;
    _ftpView->setTimeout(QSettings().value(transferTimeoutKey, defaultTransferTimeoutMs).toInt());
    _ftpView->list(ftpUrl(_currentFolder));
}

void View::on_ftpView_listed()
{
    _browsing = false;
    if (!_refreshing)
        return;
    _refreshing = false;
    hideProgressWidget();
    setActionsEnabled(true);
}

void View::on_ftpView_listingFailed(const QString& reason)
{
    if (!_refreshing && !_browsing)
        return;
    _browsing = false;
    _logList->addLogEntry(LogEntry(LogEntry::Error, tr("Listing %1 failed: %2").arg(_currentFolder, reason)));
    if (!_refreshing)
        return;
    _refreshing = false;
    hideProgressWidget();
    setActionsEnabled(true);
}

void View::on_ftpView_dirClicked(const QUrl& url)
{
    _currentFolder = url.path(QUrl::FullyDecoded);
    if (!isBusyWithRemoteOrUpload()) {
        on_refreshAction_triggered();
        return;
    }
    // A refresh would cut an upload off, or end a run's progress and with it the user's only
    // way to stop the program on the robot.
    listCurrentFolder();
}

// Lists the current folder while an upload or a run keeps its own progress and actions.
void View::listCurrentFolder()
{
    if (!_currentFolder.startsWith(robotHome))
        _currentFolder = robotHome;
    _browsing = true;
    _ftpView->list(ftpUrl(_currentFolder));
}

void View::on_ftpView_programClicked(const QUrl& url)
{
    startProgram(url.path(QUrl::FullyDecoded));
}

void View::on_ftpReply_finished()
{
    if (sender() != _ftpReply || _ftpReply->error() != QNetworkReply::NoError)
        return;
    _ftpReply = nullptr;
    _logList->addLogEntry(LogEntry(LogEntry::Fine, tr("Uploaded %1.").arg(_uploadFileName)));
    // A run started meanwhile keeps its progress.
    if (_telnet) {
        listCurrentFolder();
        return;
    }
    hideProgressWidget();
    setActionsEnabled(true);
    on_refreshAction_triggered();
}

void View::on_ftpReply_error(QNetworkReply::NetworkError)
{
    if (sender() != _ftpReply)
        return;
    // The transfer is over; its reason follows from the FTP client. A run started meanwhile
    // goes on.
    _ftpReply = nullptr;
    if (_telnet)
        return;
    setActionsEnabled(true);
    cancelCurrentAction();
}

void View::on_ftpUpload_failed(const QString& reason)
{
    _logList->addLogEntry(
        LogEntry(LogEntry::Error, tr("Upload of %1 failed: %2").arg(_uploadFileName, reason)));
}

void View::startProgram(const QString& path)
{
    if (lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject()) {
        for (lumlink::project::Device* device : project->devices()) {
            const auto instance = device->deviceInstance();
            const auto type = instance ? instance->deviceType() : nullptr;
            if (!type || type->isGeneric() || type->xmlId() != robotDeviceRules().front().typeId)
                continue;
            const QString address = QString::fromStdString(instance->parameter("ipAddress").toString());
            if (hostOf(address) == hostOf(_ipAddress))
                instance->disconnect();
        }
    }
    if (!path.isEmpty())
        createTelnet(path);
}

void View::createTelnet(const QString& path)
{
    qDebug().noquote() << "createTelnet" << path;
    endRemoteRun();
    _commandLine = interpreterCommandLine(Options::debugInterval(), path);
    if (_commandLine.isEmpty()) {
        _logList->addLogEntry(LogEntry(LogEntry::Error, tr("%1 cannot be started: its name holds a control "
                                                           "character.")
                                                            .arg(path.section(QLatin1Char('/'), -1))));
        return;
    }
    _telnet = new Telnet(this, false);
    connect(_telnet, &Telnet::loggedIn, this, &View::on_telnet_loggedIn);
    connect(_telnet, &Telnet::errorMessage, this, &View::on_telnet_errorMessage);
    connect(_telnet, &Telnet::message, this, &View::on_telnet_message);
    connect(_telnet, &Telnet::globalVariableReceived, this, &View::on_telnet_globalVariableReceived);
    connect(_telnet, &Telnet::interpreterVersionReceived, this, &View::on_telnet_interpreterVersionReceived);
    connect(_telnet, &Telnet::interpreterStopped, this, &View::on_telnet_interpreterStopped);
    _telnet->connectToHost(_ipAddress);
    showProgressWidget(tr("Execute %1").arg(path.section(QLatin1Char('/'), -1)));
    _logList->addLogEntry(LogEntry(LogEntry::Info, tr("Telnet session started")));
    setActionsEnabled(false);
    _debug->init();
}

void View::on_telnet_loggedIn()
{
    _logList->addLogEntry(LogEntry(LogEntry::Fine, tr("Logged in.")));
    _telnet->sendData(_commandLine);
}

void View::on_telnet_message(const QString& text)
{
    for (auto status = _statusTexts.cbegin(); status != _statusTexts.cend(); ++status) {
        if (text.contains(status.key()) && !_logList->currentText().startsWith(status.value()))
            _logList->addLogEntry(LogEntry(LogEntry::Fine, status.value() + QLatin1Char(' ')));
    }
    _logList->append(QStringLiteral("."));
}

void View::on_telnet_globalVariableReceived(const QString& name, const QString& value)
{
    _debug->setValue(name, value);
}

void View::on_telnet_interpreterVersionReceived(const lum::core::Version& version)
{
    _logList->addLogEntry(LogEntry(LogEntry::Info, tr("Interpreter version %1").arg(version.toQString())));
    if (!(version < lum::core::Version(3, 0, 15)))
        return;
    _logList->addLogEntry(LogEntry(LogEntry::Error, tr("Interpreter out of date.")));
    if (Options::ignoreInterpreterOutOfDate())
        return;
    endRun();
    QMessageBox::warning(this, tr("Tavik View Interpreter"),
                         tr("Interpreter is out of date. Please update tavview%1 package.").arg(3),
                         QMessageBox::Ok);
}

void View::on_telnet_interpreterStopped()
{
    _logList->addLogEntry(LogEntry(LogEntry::Error, tr("Interpreter stopped.")));
    endRun();
}

void View::on_telnet_errorMessage(const QString& text)
{
    _logList->addLogEntry(LogEntry(LogEntry::Error, withoutPasswords(text)));
    endRun();
}

void View::cancelCurrentAction()
{
    endRemoteRun();
    if (_ftpReply) {
        _ftpReply = nullptr;
        _ftpUpload->abort();
    }
    _refreshing = false;
    hideProgressWidget();
    setActionsEnabled(true);
}

// The run is over; an upload started before it goes on and shows its progress again.
void View::endRun()
{
    if (!_ftpReply) {
        cancelCurrentAction();
        return;
    }
    endRemoteRun();
    showProgressWidget(tr("Upload %1").arg(_uploadFileName));
}

// Ctrl+C first, so the interpreter terminates its program and lets go of its devices; the
// shell connection goes once that is under way (Telnet::endRun), and the object with it.
void View::endRemoteRun()
{
    if (!_telnet)
        return;
    Telnet* ending = _telnet;
    _telnet = nullptr;
    // Its last output still counts in dots and status lines; nothing else of it reaches the view.
    disconnect(ending, nullptr, this, nullptr);
    connect(ending, &Telnet::message, this, &View::on_telnet_message);
    connect(ending, &Telnet::runEnded, ending, &QObject::deleteLater);
    ending->endRun();
}

void View::showProgressWidget(const QString& title)
{
    if (_progressWidget) {
        _progressWidget->setTitle(title);
        return;
    }
    _progressWidget = new lum::qt::gui::widgets::Progress(this, true, title);
    _progressWidget->setObjectName(QStringLiteral("progressWidget"));
    _progressWidget->show();
    connect(_progressWidget, &lum::qt::gui::widgets::Progress::cancel, this, &View::on_progressWidget_cancel);
    _upperSplitter->insertWidget(0, _progressWidget);
}

void View::hideProgressWidget()
{
    if (!_progressWidget)
        return;
    _progressWidget->hide();
    _progressWidget->deleteLater();
    _progressWidget = nullptr;
}

void View::on_progressWidget_cancel()
{
    _logList->addLogEntry(LogEntry(LogEntry::Warning, tr("Current action terminated")));
    cancelCurrentAction();
}

void View::setActionsEnabled(bool enabled)
{
    _uploadAction->setEnabled(enabled);
    _refreshAction->setEnabled(enabled);
}

void View::on_ipAddressChanged(const QString& address)
{
    if (address == _ipAddress)
        return;
    _ipAddress = address;
    _currentFolder = QStringLiteral("/home/tavik");
    _logList->addLogEntry(LogEntry(LogEntry::Fine, tr("New IP address: %1").arg(address)));
    if (isVisible() && !isBusyWithRemoteOrUpload())
        on_refreshAction_triggered();
}

void View::on_invalidIPAddress(const QString& address)
{
    _logList->addLogEntry(LogEntry(LogEntry::Warning, tr("Invalid IP address: %1").arg(address)));
}

void View::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Actions::singleton().uploadCurProj->setChecked(true);
    if (!_ipAddress.isEmpty() && !isBusyWithRemoteOrUpload())
        on_refreshAction_triggered();
}

void View::on_helpAction_triggered()
{
    lumlink::HelpSystem::singleton().helpAction(QStringLiteral("upload_project"))->trigger();
}

// A refresh would cut a running upload off as well.
bool View::isBusyWithRemoteOrUpload() const
{
    return _telnet || _ftpReply;
}

QUrl View::ftpUrl(const QString& path) const
{
    return robotFtpUrl(hostOf(_ipAddress), path);
}

} // namespace tavview::uploader
