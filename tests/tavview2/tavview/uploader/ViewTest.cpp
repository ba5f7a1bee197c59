#include "../FakeShell.h"
#include "LoopbackServer.h"
#include "PyFtpServer.h"

#include <tavview/Actions.h>
#include <tavview/LogList.h>
#include <tavview/uploader/RobotSideParameters.h>
#include <tavview/uploader/View.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lum/core/Variant.h>
#include <lum/qt/gui/widgets/Progress.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <util/GzipReader.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

using lumlink::project::Device;
using lumlink::project::Manager;
using lumlink::project::Project;
using tavview::LogEntry;
using tavview::LogList;
using tavview::uploader::View;

namespace {

// Bounds for a failure only.
constexpr int waitLimitMs = 20000;

const QString robotPassword = QStringLiteral("qorvemba");

Device* addDevice(Project* project, const char* typeId, const QString& name)
{
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(typeId);
    if (!type)
        return nullptr;
    Device* device =
        Device::create(type->createDeviceInstance(project->kirogenProject(), name.toStdString()), project);
    return project->addDevice(device) ? device : nullptr;
}

QString parameterOf(const Device* device, const char* name)
{
    return QString::fromStdString(device->deviceInstance()->parameter(name).toString());
}

void setParameter(Device* device, const char* name, const char* value)
{
    device->deviceInstance()->setParameter(name, lum::core::variant::Variant(value));
}

// Answers the next message box that comes up with OK, keeping its title and text; armed
// before the action that opens it, as the box's own event loop runs the timer.
struct BoxWatcher
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QTimer* timer = nullptr;

    void arm(QObject* context)
    {
        timer = new QTimer(context);
        QObject::connect(timer, &QTimer::timeout, timer, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
            disarm();
        });
        timer->start(20);
    }

    void disarm()
    {
        if (timer)
            timer->deleteLater();
        timer = nullptr;
    }
};

class UploadView : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().clear();
        ASSERT_TRUE(server.start()) << server.error().toStdString();
        QSettings().setValue(QStringLiteral("ftp/port"), server.port());
        project = Manager::singleton().createNewProject();
        ASSERT_NE(project, nullptr);
        view = std::make_unique<View>(nullptr);
        view->resize(900, 600);
    }

    void TearDown() override
    {
        view.reset();
        QCoreApplication::processEvents();
        QSettings().clear();
    }

    // Newest first, as the list shows them.
    QStringList log() const
    {
        QStringList texts;
        auto* list = view->findChild<QListWidget*>(QStringLiteral("logList"));
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }

    // The kind of the newest entry starting with the text, as its icon shows it; -1 without one.
    int typeOf(const QString& start) const
    {
        auto* list = view->findChild<QListWidget*>(QStringLiteral("logList"));
        for (int i = 0; i < list->count(); ++i) {
            if (!list->item(i)->text().startsWith(start))
                continue;
            const qint64 icon = list->item(i)->icon().cacheKey();
            const std::pair<const QIcon&, LogEntry::Type> kinds[] = {
                {LogList::iconFine, LogEntry::Fine},
                {LogList::iconInfo, LogEntry::Info},
                {LogList::iconWarning, LogEntry::Warning},
                {LogList::iconError, LogEntry::Error}};
            for (const auto& kind : kinds) {
                if (kind.first.cacheKey() == icon)
                    return kind.second;
            }
            return -1;
        }
        return -1;
    }

    bool logHas(const QString& text) const { return log().contains(text); }
    bool waitForLog(const QString& text) const
    {
        return QTest::qWaitFor([&] { return logHas(text); }, waitLimitMs);
    }
    bool waitForLogStart(const QString& start) const
    {
        return QTest::qWaitFor([&] { return log().filter(QRegExp("^" + QRegExp::escape(start))).size() > 0; },
                               waitLimitMs);
    }

    QAction* action(const char* name) const { return view->findChild<QAction*>(QLatin1String(name)); }
    lum::qt::gui::widgets::Progress* progress() const
    {
        return view->findChild<lum::qt::gui::widgets::Progress*>(QStringLiteral("progressWidget"));
    }
    bool idle() const { return action("uploadAction")->isEnabled() && action("refreshAction")->isEnabled(); }
    bool waitForIdle() const
    {
        return QTest::qWaitFor(
            [&] {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return idle() && !progress();
            },
            waitLimitMs);
    }
    QTreeWidget* folderTree() const { return view->findChild<QTreeWidget*>(QStringLiteral("ftpTree")); }
    bool waitForFolderEntry(const QString& name) const
    {
        return QTest::qWaitFor([&] { return !folderTree()->findItems(name, Qt::MatchExactly).isEmpty(); },
                               waitLimitMs);
    }

    // A program file in the robot's home, as an earlier upload would have left it.
    bool putOnRobot(const QString& name, const QByteArray& content = QByteArray()) const
    {
        QFile program(server.robotHome() + QLatin1Char('/') + name);
        return program.open(QIODevice::WriteOnly) && program.write(content) == content.size();
    }

    // Opens an entry of the folder view as the user does: select it, press Enter.
    bool activate(const QString& name) const
    {
        if (!waitForFolderEntry(name))
            return false;
        folderTree()->setCurrentItem(folderTree()->findItems(name, Qt::MatchExactly).first());
        QTest::keyClick(folderTree(), Qt::Key_Return);
        return true;
    }

    // Starts an upload that the silent server holds, then a run of "run.tkp2" on the robot shell,
    // logged in and its command line received.
    void startRunDuringUpload(FakeShell& shell, const testsupport::LoopbackServer& silent)
    {
        ASSERT_TRUE(putOnRobot(QStringLiteral("run.tkp2")));
        showOnRobot(shell.address());
        ASSERT_TRUE(waitForFolderEntry(QStringLiteral("run.tkp2")));
        QSettings().setValue(QStringLiteral("ftp/port"), silent.port());
        action("uploadAction")->trigger();
        ASSERT_TRUE(activate(QStringLiteral("run.tkp2")));
        ASSERT_TRUE(shell.login());
        ASSERT_FALSE(shell.receiveLine().isEmpty());
    }

    // Shows the view on the robot at the address (telnet on its port, FTP on the server's) and
    // waits for its folder listing.
    void showOnRobot(const QString& address)
    {
        view->on_ipAddressChanged(address);
        view->show();
        ASSERT_TRUE(waitForIdle());
    }

    QByteArray stored(const QString& name) const
    {
        QFile file(server.robotHome() + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    PyFtpServer server{QStringLiteral("tavik"), robotPassword};
    Project* project = nullptr;
    std::unique_ptr<View> view;
};

} // namespace

// A second device of a limited type, or any OPC client, stops the upload with the device's
// name; the project stays as it was and nothing reaches the robot.
TEST_F(UploadView, improperDeviceConfigurationIsRefusedByName)
{
    showOnRobot(QStringLiteral("127.0.0.1"));
    Device* first = addDevice(project, "LUM GmbH Tavik", QStringLiteral("front"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(addDevice(project, "LUM GmbH Tavik", QStringLiteral("rear")), nullptr);
    setParameter(first, "ipAddress", "10.1.2.3");
    const int entries = log().size();

    BoxWatcher box;
    box.arm(view.get());
    action("uploadAction")->trigger();
    EXPECT_EQ(box.title, QStringLiteral("Improper device configuration"));
    EXPECT_EQ(box.text, QStringLiteral("Please remove rear from the current project."));
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(parameterOf(first, "ipAddress"), QStringLiteral("10.1.2.3"));
    EXPECT_TRUE(idle());
    EXPECT_EQ(progress(), nullptr);
    EXPECT_EQ(log().size(), entries);

    project = Manager::singleton().createNewProject();
    ASSERT_NE(addDevice(project, "LUM GmbH Joystick", QStringLiteral("stick")), nullptr);
    ASSERT_NE(addDevice(project, "LUM GmbH OPC Client", QStringLiteral("plant")), nullptr);
    ASSERT_NE(addDevice(project, "LUM GmbH Generic Device", QStringLiteral("any")), nullptr);
    BoxWatcher opcBox;
    opcBox.arm(view.get());
    action("uploadAction")->trigger();
    EXPECT_EQ(opcBox.text, QStringLiteral("Please remove plant from the current project."));
    EXPECT_TRUE(QDir(server.robotHome()).entryList(QDir::Files).isEmpty());
}

// The copy on the robot reaches the robot's own devices; the user's project keeps its values
// and stays unmodified. A stored project shows in the folder view at once.
TEST_F(UploadView, uploadedCopyHoldsTheRobotSideParametersAndTheProjectKeepsItsOwn)
{
    Device* robot = addDevice(project, "LUM GmbH Tavik", QStringLiteral("tavik"));
    Device* camera = addDevice(project, "LUM GmbH Local Camera", QStringLiteral("eye"));
    Device* joystick = addDevice(project, "LUM GmbH Joystick", QStringLiteral("stick"));
    ASSERT_TRUE(robot && camera && joystick);
    ASSERT_NE(addDevice(project, "LUM GmbH Generic Device", QStringLiteral("any")), nullptr);
    setParameter(robot, "ipAddress", "10.1.2.3:7171");
    setParameter(camera, "selectedCamera", "/dev/video7");
    setParameter(joystick, "name", "/dev/input/js3");
    QTemporaryDir folder;
    ASSERT_TRUE(project->saveAs(QFileInfo(folder.filePath(QStringLiteral("lab.tkp2")))));
    const QByteArray saved = project->saveToMem();
    showOnRobot(QStringLiteral("127.0.0.1"));

    action("uploadAction")->trigger();
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(progress()->title(), QStringLiteral("Upload lab.tkp2"));
    EXPECT_FALSE(action("uploadAction")->isEnabled());
    EXPECT_TRUE(action("helpAction")->isEnabled());
    ASSERT_TRUE(waitForLog(QStringLiteral("Uploaded lab.tkp2."))) << log().join('\n').toStdString();
    EXPECT_EQ(typeOf(QStringLiteral("Uploaded lab.tkp2.")), LogEntry::Fine);
    ASSERT_TRUE(waitForFolderEntry(QStringLiteral("lab.tkp2")));
    ASSERT_TRUE(waitForIdle());

    const QByteArray copy = stored(QStringLiteral("lab.tkp2"));
    EXPECT_TRUE(copy.contains(R"(name="ipAddress" value="127.0.0.1")")) << copy.toStdString();
    EXPECT_TRUE(copy.contains(R"(name="selectedCamera" value="/dev/video1")"));
    EXPECT_TRUE(copy.contains(R"(name="name" value="/dev/input/js0")"));
    EXPECT_FALSE(copy.contains("10.1.2.3"));
    EXPECT_FALSE(copy.contains("/dev/video7"));
    EXPECT_FALSE(copy.contains("/dev/input/js3"));

    EXPECT_EQ(parameterOf(robot, "ipAddress"), QStringLiteral("10.1.2.3:7171"));
    EXPECT_EQ(parameterOf(camera, "selectedCamera"), QStringLiteral("/dev/video7"));
    EXPECT_EQ(parameterOf(joystick, "name"), QStringLiteral("/dev/input/js3"));
    EXPECT_EQ(project->saveToMem(), saved);
    EXPECT_FALSE(project->isModified());
    for (const QString& entry : log())
        EXPECT_FALSE(entry.contains(robotPassword)) << entry.toStdString();
}

// The guard gives the user's values back whatever way the writing of the copy ends.
TEST_F(UploadView, robotSideParametersComeBackWhenWritingThrows)
{
    Device* robot = addDevice(project, "LUM GmbH Tavik", QStringLiteral("tavik"));
    Device* camera = addDevice(project, "LUM GmbH Local Camera", QStringLiteral("eye"));
    ASSERT_TRUE(robot && camera);
    setParameter(robot, "ipAddress", "192.168.7.9");
    try {
        const tavview::uploader::RobotSideParameters robotSide(project->devices());
        EXPECT_EQ(parameterOf(robot, "ipAddress"), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(parameterOf(camera, "selectedCamera"), QStringLiteral("/dev/video1"));
        throw std::runtime_error("serialiser failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(parameterOf(robot, "ipAddress"), QStringLiteral("192.168.7.9"));
    EXPECT_EQ(parameterOf(camera, "selectedCamera"), QStringLiteral("/dev/video0"));
}

// A project never saved goes up as "Unnamed.tkpx", compressed as that name tells the robot's
// interpreter.
TEST_F(UploadView, projectWithoutAFileGoesUpAsUnnamedTkpx)
{
    ASSERT_TRUE(
        project->addGlobalVariable(QStringLiteral("speed"), QStringLiteral("double"), QStringLiteral("2")));
    showOnRobot(QStringLiteral("127.0.0.1"));
    action("uploadAction")->trigger();
    ASSERT_TRUE(waitForLog(QStringLiteral("Uploaded Unnamed.tkpx."))) << log().join('\n').toStdString();
    QByteArray text;
    std::string error;
    ASSERT_TRUE(util::GzipReader().inflate(stored(QStringLiteral("Unnamed.tkpx")), &text, &error)) << error;
    EXPECT_EQ(text, project->saveToMem());
}

// A refused login and a server that never answers each end the upload with an Error entry
// that names the reason and no password; the view is idle again.
TEST_F(UploadView, refusedAndStalledTransfersEndWithTheirReason)
{
    QSettings().setValue(QStringLiteral("telnet/password"), QStringLiteral("Wrong-Pa55"));
    showOnRobot(QStringLiteral("127.0.0.1"));
    // The folder view's listing is refused first.
    const QString listing = QStringLiteral("Listing /home/tavik/ failed: ");
    ASSERT_TRUE(waitForLogStart(listing)) << log().join('\n').toStdString();
    EXPECT_EQ(typeOf(listing), LogEntry::Error);
    EXPECT_GT(log().filter(listing).first().size(), listing.size()) << "a reason follows";
    action("uploadAction")->trigger();
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Upload of Unnamed.tkpx failed: ")))
        << log().join('\n').toStdString();
    EXPECT_TRUE(waitForIdle());
    EXPECT_TRUE(stored(QStringLiteral("Unnamed.tkpx")).isEmpty());
    const QString refused = log().first();
    EXPECT_GT(refused.size(), QStringLiteral("Upload of Unnamed.tkpx failed: ").size()) << "a reason follows";
    EXPECT_FALSE(refused.contains(QLatin1String("Wrong-Pa55"))) << refused.toStdString();
    EXPECT_EQ(typeOf(refused), LogEntry::Error);

    testsupport::LoopbackServer silent;
    QSettings().setValue(QStringLiteral("ftp/port"), silent.port());
    QSettings().setValue(View::transferTimeoutKey, 500);
    action("uploadAction")->trigger();
    ASSERT_TRUE(
        waitForLog(QStringLiteral("Upload of Unnamed.tkpx failed: No answer from 127.0.0.1 for 0.5 s")))
        << log().join('\n').toStdString();
    EXPECT_EQ(typeOf(QStringLiteral("Upload of Unnamed.tkpx failed: No answer")), LogEntry::Error);
    EXPECT_TRUE(waitForIdle());
    for (const QString& entry : log())
        EXPECT_FALSE(entry.contains(QLatin1String("Wrong-Pa55"))) << entry.toStdString();
}

// The road of a remote run against a scripted robot shell: the folder view starts the run,
// the command line carries the interval and the quoted path, the interpreter's texts become
// log lines and dots in the status texts' order, variables fill the table one row each, and
// the robot's end line ends the run.
TEST_F(UploadView, remoteRunShowsStatusLinesVersionAndVariables)
{
    ASSERT_TRUE(putOnRobot(QStringLiteral("it's.tkp2"), "<project/>"));
    QSettings().setValue(QStringLiteral("remote-execution-debug-interval"), 0);
    FakeShell shell;
    showOnRobot(shell.address());
    view->on_ipAddressChanged(shell.address());
    EXPECT_EQ(log().filter(QStringLiteral("New IP address")).size(), 1)
        << "the same address again logs nothing";
    view->on_invalidIPAddress(QStringLiteral("10.0 .0.1"));
    EXPECT_EQ(log().first(), QStringLiteral("Invalid IP address: 10.0 .0.1"));
    EXPECT_EQ(typeOf(QStringLiteral("Invalid IP address")), LogEntry::Warning);
    EXPECT_EQ(typeOf(QStringLiteral("New IP address")), LogEntry::Fine);

    ASSERT_TRUE(activate(QStringLiteral("it's.tkp2")));
    EXPECT_EQ(log().first(), QStringLiteral("Telnet session started"));
    EXPECT_EQ(typeOf(log().first()), LogEntry::Info);
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(progress()->title(), QStringLiteral("Execute it's.tkp2"));
    EXPECT_FALSE(action("refreshAction")->isEnabled());

    ASSERT_TRUE(shell.login());
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Logged in.")));
    EXPECT_EQ(typeOf(QStringLiteral("Logged in.")), LogEntry::Fine);
    const QByteArray command = shell.receiveLine();
    EXPECT_EQ(command, QByteArray("sudo /usr/bin/tavview_interpreter --global-variable-output-interval 0 -f "
                                  "'/home/tavik/it'\\''s.tkp2'"));

    shell.send("TavikView Interpreter Version 3.3.1\r\n");
    // The banner is reported and counted as output: one dot.
    ASSERT_TRUE(waitForLog(QStringLiteral("Interpreter version 3.3.1.")));
    EXPECT_EQ(typeOf(QStringLiteral("Interpreter version")), LogEntry::Info);
    shell.send("Loading project... Loading devices...\r\n");
    ASSERT_TRUE(waitForLog(QStringLiteral("Loading project .")));
    EXPECT_EQ(log().at(1), QStringLiteral("Loading devices "));
    EXPECT_EQ(typeOf(QStringLiteral("Loading devices")), LogEntry::Fine);
    EXPECT_EQ(typeOf(QStringLiteral("Loading project")), LogEntry::Fine);
    shell.send("Loading project... done.\r\n");
    ASSERT_TRUE(waitForLog(QStringLiteral("Loading project ..")));
    shell.send("## speed;;12 ##\r\n## mode;;fast ##\r\n## speed;;13 ##\r\n");
    auto* table = view->findChild<QTableWidget*>(QStringLiteral("variableTable"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 2 && table->item(0, 1)->text() == "13"; },
                                waitLimitMs));
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("speed"));
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("mode"));
    EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("fast"));
    EXPECT_EQ(log().first(), QStringLiteral("Loading project .."));

    shell.send("Send SIG2 to lcdd.\r\n");
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Interpreter stopped.")));
    EXPECT_EQ(typeOf(QStringLiteral("Interpreter stopped.")), LogEntry::Error);
    EXPECT_TRUE(waitForIdle());
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_EQ(table->rowCount(), 2) << "the table keeps the run's last values";
}

// An interpreter older than the oldest accepted one ends the run with a warning, unless the
// user chose to ignore that; then the run goes on after the Error entry.
TEST_F(UploadView, outOfDateInterpreterEndsTheRunUnlessIgnored)
{
    ASSERT_TRUE(putOnRobot(QStringLiteral("old.tkp2")));
    auto runOn = [&](FakeShell& shell, const QByteArray& version) {
        view->on_ipAddressChanged(shell.address());
        view->show();
        EXPECT_TRUE(waitForIdle());
        EXPECT_TRUE(activate(QStringLiteral("old.tkp2")));
        EXPECT_TRUE(shell.login());
        EXPECT_FALSE(shell.receiveLine().isEmpty());
        shell.send("TavikView Interpreter Version " + version + "\r\n");
    };

    FakeShell current;
    BoxWatcher unexpected;
    unexpected.arm(view.get());
    runOn(current, "3.0.15");
    ASSERT_TRUE(waitForLog(QStringLiteral("Interpreter version 3.0.15.")));
    EXPECT_FALSE(logHas(QStringLiteral("Interpreter out of date.")));
    EXPECT_NE(progress(), nullptr);
    ASSERT_TRUE(unexpected.title.isEmpty()) << "no box for an accepted version";
    unexpected.disarm();
    QTest::mouseClick(progress()->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(log().first(), QStringLiteral("Current action terminated"));
    EXPECT_EQ(typeOf(log().first()), LogEntry::Warning);

    FakeShell old;
    BoxWatcher box;
    box.arm(view.get());
    runOn(old, "3.0.14");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.title.isEmpty(); }, waitLimitMs));
    EXPECT_TRUE(waitForLogStart(QStringLiteral("Interpreter out of date.")));
    EXPECT_EQ(typeOf(QStringLiteral("Interpreter out of date.")), LogEntry::Error);
    EXPECT_EQ(box.title, QStringLiteral("Tavik View Interpreter"));
    EXPECT_EQ(box.text, QStringLiteral("Interpreter is out of date. Please update tavview3 package."));
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(waitForIdle());

    QSettings().setValue(QStringLiteral("ignoreInterpreterOutOfDate"), 2);
    FakeShell ignored;
    runOn(ignored, "2.9.99");
    ASSERT_TRUE(waitForLog(QStringLiteral("Interpreter version 2.9.99")));
    EXPECT_EQ(log().at(1), QStringLiteral("Interpreter version 2.9.99"));
    EXPECT_TRUE(log().first().startsWith(QLatin1String("Interpreter out of date.")))
        << log().first().toStdString();
    ignored.send("## speed;;4 ##\r\n");
    auto* table = view->findChild<QTableWidget*>(QStringLiteral("variableTable"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 1; }, waitLimitMs)) << "the run goes on";
    EXPECT_NE(progress(), nullptr);
}

// Opening a folder while a program runs on the robot lists it and leaves the run as it is: its
// progress, and with it the Cancel that stops the program, stays.
TEST_F(UploadView, openingAFolderDuringARunKeepsTheRunsProgressAndCancel)
{
    ASSERT_TRUE(QDir().mkpath(server.robotHome() + QStringLiteral("/lessons")));
    ASSERT_TRUE(putOnRobot(QStringLiteral("run.tkp2")));
    FakeShell shell;
    showOnRobot(shell.address());
    ASSERT_TRUE(activate(QStringLiteral("run.tkp2")));
    ASSERT_TRUE(shell.login());
    ASSERT_FALSE(shell.receiveLine().isEmpty());

    ASSERT_TRUE(activate(QStringLiteral("lessons")));
    ASSERT_TRUE(waitForFolderEntry(QStringLiteral(".."))) << log().join('\n').toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(progress(), nullptr) << "the run lost its Cancel";
    EXPECT_EQ(progress()->title(), QStringLiteral("Execute run.tkp2"));
    EXPECT_FALSE(action("uploadAction")->isEnabled());
    EXPECT_FALSE(action("refreshAction")->isEnabled());

    QTest::mouseClick(progress()->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(log().first(), QStringLiteral("Current action terminated"));
    const QByteArray interrupt("\xff\xf4", 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shell.received().contains(interrupt); }, waitLimitMs));
    EXPECT_TRUE(waitForIdle());
}

// Opening a folder during an upload lists it and leaves the upload running.
TEST_F(UploadView, openingAFolderDuringAnUploadLeavesTheUploadRunning)
{
    ASSERT_TRUE(QDir().mkpath(server.robotHome() + QStringLiteral("/lessons")));
    showOnRobot(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(waitForFolderEntry(QStringLiteral("lessons")));
    // A server that takes the connection and never answers holds the upload.
    testsupport::LoopbackServer silent;
    QSettings().setValue(QStringLiteral("ftp/port"), silent.port());
    action("uploadAction")->trigger();
    ASSERT_NE(progress(), nullptr);

    ASSERT_TRUE(activate(QStringLiteral("lessons")));
    QCoreApplication::processEvents();
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(progress()->title(), QStringLiteral("Upload Unnamed.tkpx")) << "the upload was cut off";
    EXPECT_FALSE(action("uploadAction")->isEnabled());

    QTest::mouseClick(progress()->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(log().first(), QStringLiteral("Current action terminated"));
    EXPECT_TRUE(waitForIdle());
}

// A program started while an upload is under way runs on when the upload fails.
TEST_F(UploadView, failedUploadLeavesARunStartedMeanwhileGoingOn)
{
    FakeShell shell;
    testsupport::LoopbackServer silent;
    QSettings().setValue(View::transferTimeoutKey, 500);
    ASSERT_NO_FATAL_FAILURE(startRunDuringUpload(shell, silent));
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Upload of Unnamed.tkpx failed: ")))
        << log().join('\n').toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(progress(), nullptr) << "the run lost its Cancel";
    EXPECT_EQ(progress()->title(), QStringLiteral("Execute run.tkp2"));
    EXPECT_FALSE(action("uploadAction")->isEnabled());
    shell.send("## speed;;4 ##\r\n");
    auto* table = view->findChild<QTableWidget*>(QStringLiteral("variableTable"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 1; }, waitLimitMs)) << "the run goes on";
}

// A run that ends on the robot while an upload is under way leaves the upload running, and the
// upload's progress shows again.
TEST_F(UploadView, runEndingOnTheRobotLeavesAnUploadRunning)
{
    FakeShell shell;
    testsupport::LoopbackServer silent;
    ASSERT_NO_FATAL_FAILURE(startRunDuringUpload(shell, silent));
    shell.send("Send SIG2 to lcdd.\r\n");
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Interpreter stopped.")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(progress(), nullptr) << "the upload was cut off";
    EXPECT_EQ(progress()->title(), QStringLiteral("Upload Unnamed.tkpx"));
    EXPECT_FALSE(action("uploadAction")->isEnabled());
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_TRUE(log().filter(QStringLiteral("Upload of")).isEmpty()) << log().join('\n').toStdString();

    QTest::mouseClick(progress()->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(log().first(), QStringLiteral("Current action terminated"));
    EXPECT_TRUE(waitForIdle());
}

// A robot shell that refuses the login ends the run with an Error entry and nothing sent after
// the password; the view is idle again.
TEST_F(UploadView, refusedRemoteLoginEndsTheRunWithAnError)
{
    ASSERT_TRUE(putOnRobot(QStringLiteral("run.tkp2")));
    FakeShell shell;
    showOnRobot(shell.address());
    ASSERT_TRUE(activate(QStringLiteral("run.tkp2")));
    ASSERT_TRUE(shell.waitForPeer());
    shell.send("\r\nrobot login: ");
    EXPECT_EQ(shell.receiveLine(), QByteArray("tavik"));
    shell.send("Password: ");
    EXPECT_EQ(shell.receiveLine(), robotPassword.toUtf8());
    shell.send("\r\nLogin incorrect\r\n");

    ASSERT_TRUE(waitForLog(QStringLiteral("Error: Login failed"))) << log().join('\n').toStdString();
    EXPECT_EQ(typeOf(QStringLiteral("Error: Login failed")), LogEntry::Error);
    EXPECT_TRUE(waitForIdle());
    EXPECT_FALSE(logHas(QStringLiteral("Logged in.")));
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_FALSE(shell.received().contains("tavview_interpreter")) << "no command without a login";
    for (const QString& entry : log())
        EXPECT_FALSE(entry.contains(robotPassword)) << entry.toStdString();
}

// Cancelling a run asks the robot's interpreter to stop (Ctrl+C) before the connection goes;
// its "Disconnecting devices" still shows, and then the connection closes.
TEST_F(UploadView, cancellingSendsCtrlCAndClosesOnceTheDevicesAreLetGo)
{
    ASSERT_TRUE(putOnRobot(QStringLiteral("run.tkp2")));
    FakeShell shell;
    showOnRobot(shell.address());
    ASSERT_TRUE(activate(QStringLiteral("run.tkp2")));
    ASSERT_TRUE(shell.login());
    ASSERT_FALSE(shell.receiveLine().isEmpty());
    shell.send("Starting program... done.\r\n");
    ASSERT_TRUE(waitForLog(QStringLiteral("Starting program .")));

    QTest::mouseClick(progress()->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(log().first(), QStringLiteral("Current action terminated"));
    EXPECT_TRUE(waitForIdle());
    const QByteArray interrupt("\xff\xf4", 2); // telnet IAC IP: Ctrl+C at the robot's terminal
    ASSERT_TRUE(QTest::qWaitFor([&] { return shell.received().contains(interrupt); }, waitLimitMs));
    shell.send("Terminating program... done.\r\nDisconnecting devices... done.\r\n");
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_TRUE(logHas(QStringLiteral("Disconnecting devices ."))) << log().join('\n').toStdString();
}

// The German catalogue reaches the view when the language changes.
TEST_F(UploadView, speaksGermanAfterTheLanguageChanges)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
    QCoreApplication::installTranslator(&german);
    emit lum::qt::translation::Manager::singleton().languageChanged();
    view->on_ipAddressChanged(QStringLiteral("10.0.0.9"));
    const QString upload = action("uploadAction")->toolTip();
    const QString entry = log().first();
    QCoreApplication::removeTranslator(&german);
    emit lum::qt::translation::Manager::singleton().languageChanged();

    EXPECT_EQ(upload, QStringLiteral("Aktuelles Projekt hochladen"));
    EXPECT_EQ(entry, QStringLiteral("Neue IP-Adresse: 10.0.0.9"));
    EXPECT_EQ(action("uploadAction")->toolTip(), QStringLiteral("Upload current project"));
}
