#include "RobotProcess.h"

#include "tavview/Actions.h"
#include "tavview/LogList.h"
#include "tavview/MainWindow.h"
#include "tavview/TaskView.h"
#include "tavview/TavikTask.h"
#include "tavview/toolbar/Bar.h"
#include "tavview/uploader/Options.h"
#include "tavview/uploader/View.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <util/UserProfilePath.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A real login and the interpreter's start take seconds; these only bound a failure.
constexpr int robotLimitMs = 60000;

// The port that tests/support/robot-rig wrote for one of its services ("port", "ftp-port").
QString rigPort(const QString& file)
{
    QFile port(qEnvironmentVariable("TAVVIEW_ROBOT_RIG") + QLatin1Char('/') + file);
    if (!port.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(port.readAll().trimmed());
}

QStringList logTexts(const tavview::LogList* log)
{
    QStringList texts;
    for (int row = log->count() - 1; row >= 0; --row)
        texts << log->item(row)->text();
    return texts;
}

bool logHas(const tavview::LogList* log, const QString& start)
{
    const QStringList texts = logTexts(log);
    return std::any_of(texts.begin(), texts.end(),
                       [&](const QString& text) { return text.startsWith(start); });
}

QTreeWidgetItem* folderEntry(const QTreeWidget* folder, const QString& name)
{
    const QList<QTreeWidgetItem*> found = folder->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

QMap<QString, QString> tableRows(const QTableWidget* table)
{
    QMap<QString, QString> rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows.insert(table->item(row, 0)->text(), table->item(row, 1)->text());
    return rows;
}

// Processes whose command line mentions the text.
QStringList processesMentioning(const QString& text)
{
    QStringList found;
    for (const QString& pid :
         QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && QString::fromUtf8(cmdline.readAll()).contains(text))
            found << pid;
    }
    return found;
}

} // namespace

// A user's whole road: open the robot example, connect the robot from the toolbar, open the
// robot panel, give the robot's address, upload, find the file on the robot, click it (the
// workbench lets go of the robot, which takes one controller at a time, so the robot's
// interpreter can take it), watch the run in the log and the variable table; the robot going
// away ends the run on the robot and in the panel.
TEST(RobotRoad, UploadRunAndWatchFromTheMainWindow)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the robot rig needs root for its telnet daemon and login account";
    const QString telnetPort = rigPort(QStringLiteral("port"));
    const QString ftpPort = rigPort(QStringLiteral("ftp-port"));
    ASSERT_FALSE(telnetPort.isEmpty() || ftpPort.isEmpty())
        << "robot rig not running (CTest fixture robot_rig)";

    // The robot itself, whose device link the remote interpreter takes up.
    robottest::RobotProcess robot;
    ASSERT_NE(robot.port(), 0);
    QFile example(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/robot.tkp2"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray content = example.readAll();
    content.replace("name=\"port\" value=\"7171\"",
                    "name=\"port\" value=\"" + QByteArray::number(robot.port()) + "\"");
    QTemporaryDir here;
    const QString fileName = QStringLiteral("road-%1.tkp2").arg(QCoreApplication::applicationPid());
    QFile project(here.filePath(fileName));
    ASSERT_TRUE(project.open(QIODevice::WriteOnly));
    project.write(content);
    project.close();
    const QString onRobot = QStringLiteral("/home/tavik/") + fileName;
    QFile::remove(onRobot);

    QSettings().clear();
    QSettings().setValue(QStringLiteral("ftp/port"), ftpPort.toInt());
    QSettings().setValue(tavview::uploader::Options::debugIntervalKey, 200);

    tavview::MainWindow window;
    window.resize(1200, 800);
    window.show();
    window.open(project.fileName());
    tavview::TaskView* taskView = window.taskView();
    lumlink::project::Device* robotDevice = nullptr;
    for (lumlink::project::Device* device :
         lumlink::project::Manager::singleton().activeProject()->devices()) {
        if (device->isRobot())
            robotDevice = device;
    }
    ASSERT_NE(robotDevice, nullptr);
    QToolButton* connectButton = nullptr;
    for (QToolButton* button : window.toolBar()->findChildren<QToolButton*>()) {
        if (button->text() == QStringLiteral("Connect"))
            connectButton = button;
    }
    ASSERT_NE(connectButton, nullptr);
    QTest::mouseClick(connectButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return robotDevice->deviceInstance()->isConnected(); }, robotLimitMs));

    auto* uploadButton = qobject_cast<QToolButton*>(
        window.toolBar()->widgetForAction(tavview::Actions::singleton().uploadCurProj));
    ASSERT_NE(uploadButton, nullptr);
    QTest::mouseClick(uploadButton, Qt::LeftButton);
    ASSERT_EQ(taskView->currentWidget(), taskView->tavikTask());

    // The robot's shell listens on a port of the rig's own: the user types it with the address.
    auto* line = taskView->tavikTask()->findChild<QLineEdit*>(QStringLiteral("ipAddressLineEdit"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("127.0.0.1")) << "taken from the project's robot";
    line->clear();
    QTest::keyClicks(line, QStringLiteral("127.0.0.1:") + telnetPort);
    QTest::keyClick(line, Qt::Key_Return);

    tavview::uploader::View* view = taskView->tavikTask()->uploadView();
    auto* log = view->findChild<tavview::LogList*>();
    auto* folder = view->findChild<QWidget*>(QStringLiteral("ftpView"))->findChild<QTreeWidget*>();
    auto* table = view->findChild<QTableWidget*>();
    ASSERT_TRUE(log && folder && table);
    EXPECT_TRUE(logHas(log, QStringLiteral("New IP address: 127.0.0.1:") + telnetPort))
        << logTexts(log).join('\n').toStdString();

    auto* upload = view->findChild<QAction*>(QStringLiteral("uploadAction"));
    ASSERT_NE(upload, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return upload->isEnabled(); }, robotLimitMs));
    upload->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return folderEntry(folder, fileName) != nullptr; }, robotLimitMs))
        << logTexts(log).join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(onRobot));

    QTreeWidgetItem* uploaded = folderEntry(folder, fileName);
    folder->scrollToItem(uploaded);
    const QPoint where = folder->visualItemRect(uploaded).center();
    ASSERT_TRUE(folder->viewport()->rect().contains(where)) << "the file is out of sight";
    // A double click is a press and a release, then the second press.
    QTest::mouseClick(folder->viewport(), Qt::LeftButton, Qt::NoModifier, where);
    QTest::mouseDClick(folder->viewport(), Qt::LeftButton, Qt::NoModifier, where);

    EXPECT_TRUE(QTest::qWaitFor([&] { return !robotDevice->deviceInstance()->isConnected(); }, robotLimitMs))
        << "the workbench still holds the robot";
    ASSERT_TRUE(QTest::qWaitFor([&] { return logHas(log, QStringLiteral("Logged in.")); }, robotLimitMs))
        << logTexts(log).join('\n').toStdString();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto rows = tableRows(table);
            return rows.contains(QStringLiteral("distance")) && rows.contains(QStringLiteral("driving"));
        },
        robotLimitMs))
        << logTexts(log).join('\n').toStdString();
    EXPECT_TRUE(logHas(log, QStringLiteral("Interpreter version 3.3.1")));
    EXPECT_FALSE(logHas(log, QStringLiteral("Interpreter stopped.")));

    // The robot goes away: its device disconnects, the interpreter ends and the panel says so.
    robot.process().interrupt();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return logHas(log, QStringLiteral("Interpreter stopped.")); }, robotLimitMs))
        << logTexts(log).join('\n').toStdString();
    EXPECT_TRUE(upload->isEnabled());
    // The interpreter's steps, from the session log: the view logs them only from chunks without
    // a variable line, and a reader that falls behind may get none such.
    QFile session(QDir::home().filePath(util::userProfilePath() + QStringLiteral("/telnet_debug.txt")));
    ASSERT_TRUE(session.open(QIODevice::ReadOnly));
    const QByteArray steps = session.readAll();
    const int connected = steps.indexOf("Connecting to device \"tavik\"... done.");
    EXPECT_GE(connected, 0) << steps.toStdString();
    EXPECT_LT(connected, steps.indexOf("Starting program... done."));
    EXPECT_LT(steps.indexOf("Starting program... done."), steps.indexOf("## distance;;"));
    EXPECT_LT(steps.indexOf("## distance;;"), steps.indexOf("A device has been disconnected."));
    EXPECT_LT(steps.indexOf("A device has been disconnected."), steps.indexOf("Send SIG2 to lcdd."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesMentioning(fileName).isEmpty(); }, robotLimitMs));
    // The table keeps the run's last values: the example's variables and nothing else.
    const QMap<QString, QString> rows = tableRows(table);
    const QSet<QString> globals{"bumped",  "clearDistance", "cruiseSpeed", "distance",
                                "driving", "turnDistance",  "turning"};
    for (const QString& name : rows.keys())
        EXPECT_TRUE(globals.contains(name)) << name.toStdString();
    bool isNumber = false;
    rows.value(QStringLiteral("distance")).toDouble(&isNumber);
    EXPECT_TRUE(isNumber) << rows.value(QStringLiteral("distance")).toStdString();

    QFile::remove(onRobot);
    QSettings().clear();
}
