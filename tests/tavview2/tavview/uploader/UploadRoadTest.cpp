// The upload-and-run road on this machine's robot rig (tests/support/robot-rig): a real FTP
// server and a real telnet login for the robot account, with the built interpreter behind the
// robot's interpreter command.
#include <tavview/uploader/View.h>

#include <lum/qt/gui/widgets/Progress.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <util/UserProfilePath.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <pwd.h>
#include <unistd.h>
#include <csignal>

using lumlink::project::Manager;
using tavview::uploader::View;

namespace {

// A real login takes a few seconds (PAM delays a failed one); these only bound a failure.
constexpr int waitLimitMs = 30000;

QString rigFile(const QString& name)
{
    QFile file(qEnvironmentVariable("TAVVIEW_ROBOT_RIG") + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().trimmed()) : QString();
}

// Process ids whose command line mentions the text.
QList<pid_t> processesMentioning(const QString& text)
{
    QList<pid_t> found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString& pid : pids) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        // The arguments are NUL-separated; QString::fromUtf8 would stop at the first.
        if (cmdline.open(QIODevice::ReadOnly) &&
            QString::fromUtf8(cmdline.readAll().replace('\0', ' ')).contains(text))
            found.append(pid.toInt());
    }
    return found;
}

// The interpreter itself (not sudo or the robot's wrapper) running the file.
pid_t interpreterRunning(const QString& file)
{
    const QString interpreter =
        QFileInfo(QStringLiteral(TAVVIEW_BUILD_DIR "/bin/tavview_interpreter")).canonicalFilePath();
    for (pid_t pid : processesMentioning(file)) {
        if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == interpreter)
            return pid;
    }
    return 0;
}

// A folder of the robot's home for one test, owned by the robot account.
class RobotFolder
{
public:
    explicit RobotFolder(const QString& name) : _path(QStringLiteral("/home/tavik/") + name)
    {
        const passwd* account = getpwnam("tavik");
        _made = QDir().mkpath(_path) && account &&
                chown(QFile::encodeName(_path).constData(), account->pw_uid, account->pw_gid) == 0;
    }
    ~RobotFolder() { QDir(_path).removeRecursively(); }
    bool made() const { return _made; }

private:
    QString _path;
    bool _made = false;
};

class UploadRoad : public testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "the robot rig needs root for its telnet daemon and login account";
        QSettings().clear();
        const QString telnetPort = rigFile(QStringLiteral("port"));
        const QString ftpPort = rigFile(QStringLiteral("ftp-port"));
        ASSERT_FALSE(telnetPort.isEmpty() || ftpPort.isEmpty())
            << "robot rig not running (CTest fixture robot_rig)";
        QSettings().setValue(QStringLiteral("ftp/port"), ftpPort.toInt());
        QSettings().setValue(QStringLiteral("remote-execution-debug-interval"), 200);
        address = QStringLiteral("127.0.0.1:") + telnetPort;
        view = std::make_unique<View>(nullptr);
        view->resize(1000, 700);
    }

    void TearDown() override
    {
        view.reset();
        QCoreApplication::processEvents();
        QSettings().clear();
    }

    QStringList log() const
    {
        QStringList texts;
        auto* list = view->findChild<QListWidget*>(QStringLiteral("logList"));
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    QString logText() const { return log().join(QLatin1Char('\n')); }
    bool waitForLogStart(const QString& start) const
    {
        return QTest::qWaitFor(
            [&] {
                const QStringList entries = log();
                return std::any_of(entries.cbegin(), entries.cend(),
                                   [&](const QString& entry) { return entry.startsWith(start); });
            },
            waitLimitMs);
    }
    // The shell session as the view received it, every chunk written through at once.
    static QByteArray sessionLog()
    {
        QFile file(QDir::home().filePath(util::userProfilePath() + QStringLiteral("/telnet_debug.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QAction* action(const char* name) const { return view->findChild<QAction*>(QLatin1String(name)); }
    lum::qt::gui::widgets::Progress* progress() const
    {
        return view->findChild<lum::qt::gui::widgets::Progress*>(QStringLiteral("progressWidget"));
    }
    bool waitForIdle() const
    {
        return QTest::qWaitFor(
            [&] {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return action("uploadAction")->isEnabled() && !progress();
            },
            waitLimitMs);
    }
    QTreeWidget* folderTree() const { return view->findChild<QTreeWidget*>(QStringLiteral("ftpTree")); }
    // Waits for the entry in the folder view and activates it as a user does.
    bool activate(const QString& name) const
    {
        if (!QTest::qWaitFor([&] { return !folderTree()->findItems(name, Qt::MatchExactly).isEmpty(); },
                             waitLimitMs))
            return false;
        folderTree()->setCurrentItem(folderTree()->findItems(name, Qt::MatchExactly).first());
        QTest::keyClick(folderTree(), Qt::Key_Return);
        return true;
    }
    // Opens a copy of the example saved under the name, shows the view on the robot, opens the
    // robot folder and uploads the project into it.
    void uploadInto(const QString& folderName, const QString& fileName)
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2"),
                                local.filePath(fileName)));
        QMap<int, QString> programs;
        int tab = -1;
        ASSERT_NE(
            Manager::singleton().createProjectFromFile(QFileInfo(local.filePath(fileName)), &programs, &tab),
            nullptr);
        view->on_ipAddressChanged(address);
        view->show();
        ASSERT_TRUE(waitForIdle()) << logText().toStdString();
        ASSERT_TRUE(activate(folderName)) << logText().toStdString();
        ASSERT_TRUE(waitForIdle());
        action("uploadAction")->trigger();
        ASSERT_TRUE(waitForLogStart(QStringLiteral("Uploaded %1.").arg(fileName))) << logText().toStdString();
        ASSERT_TRUE(waitForIdle());
    }

    QString address;
    QTemporaryDir local;
    std::unique_ptr<View> view;
};

} // namespace

// Upload an example, find it in the folder view, click it: the robot's interpreter runs it and
// the view shows the login, the version, the interpreter's steps and the example's variables;
// when the interpreter ends on the robot, the run ends in the view. No password anywhere.
TEST_F(UploadRoad, uploadedExampleRunsFromTheFolderViewAndFillsTheTable)
{
    const QString folderName = QStringLiteral("road-%1").arg(QCoreApplication::applicationPid());
    RobotFolder folder(folderName);
    ASSERT_TRUE(folder.made());
    uploadInto(folderName, QStringLiteral("counter.tkp2"));
    const QString robotFile = QStringLiteral("/home/tavik/%1/counter.tkp2").arg(folderName);
    QFile uploaded(robotFile);
    ASSERT_TRUE(uploaded.open(QIODevice::ReadOnly));
    EXPECT_EQ(uploaded.readAll(), Manager::singleton().activeProject()->saveToMem());

    ASSERT_TRUE(activate(QStringLiteral("counter.tkp2")));
    EXPECT_EQ(log().first(), QStringLiteral("Telnet session started"));
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Logged in."))) << logText().toStdString();
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Interpreter version 3.3.1"))) << logText().toStdString();
    // The interpreter's steps reach the view's log only in chunks without a variable line (the
    // reader's rule), and a reader that falls behind gets the whole start with the first
    // variables in one chunk: so the steps are looked for in the session log below.
    EXPECT_FALSE(logText().contains(QLatin1String("Interpreter out of date.")));

    auto* table = view->findChild<QTableWidget*>(QStringLiteral("variableTable"));
    auto valueOf = [&](const QString& name) {
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->text() == name)
                return table->item(row, 1)->text();
        }
        return QString();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !valueOf("counter").isEmpty() && !valueOf("half").isEmpty(); },
                                waitLimitMs))
        << logText().toStdString();
    const QString firstCount = valueOf(QStringLiteral("counter"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return valueOf("counter") != firstCount; }, waitLimitMs));
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names.append(table->item(row, 0)->text());
    EXPECT_EQ(names.removeDuplicates(), 0) << "one row per variable";
    EXPECT_FALSE(names.contains(QStringLiteral("increment"))) << "the program never writes it";

    // The run ends on the robot: the interpreter terminates, the robot prints its end line.
    const pid_t interpreter = interpreterRunning(robotFile);
    ASSERT_NE(interpreter, 0);
    ASSERT_EQ(kill(interpreter, SIGTERM), 0);
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Interpreter stopped."))) << logText().toStdString();
    EXPECT_TRUE(waitForIdle());
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesMentioning(robotFile).isEmpty(); }, waitLimitMs));

    // For the documentation: the view as the user sees it after a run.
    if (qEnvironmentVariableIsSet("TAVVIEW_UPLOAD_SCREENSHOT"))
        view->grab().save(qEnvironmentVariable("TAVVIEW_UPLOAD_SCREENSHOT"));

    const QByteArray telnetText = sessionLog();
    // The log holds the session, every chunk of it in order.
    const int loading = telnetText.indexOf("Loading types...");
    EXPECT_GE(loading, 0) << telnetText.toStdString();
    EXPECT_LT(loading, telnetText.indexOf("Loading actor types..."));
    EXPECT_LT(telnetText.indexOf("Loading actor types..."), telnetText.indexOf("Starting program..."));
    EXPECT_LT(telnetText.indexOf("Starting program..."), telnetText.indexOf("## counter;;"));
    EXPECT_LT(telnetText.indexOf("## counter;;"), telnetText.indexOf("Send SIG2 to lcdd."));
    EXPECT_FALSE(telnetText.contains("qorvemba"));
    EXPECT_FALSE(logText().contains(QLatin1String("qorvemba")));
}

// A project named with shell syntax, in a folder named with more of it, runs only the
// interpreter on that very file; cancelling the run lets the interpreter terminate and leaves
// no process behind. Without variable output every chunk of the interpreter's output reaches
// the log, so each of its steps shows as a line of its own.
TEST_F(UploadRoad, shellSyntaxInTheNameRunsOnlyTheInterpreterAndCancellingLeavesNothing)
{
    const QString marker =
        QStringLiteral("/tmp/tavview-view-marker-%1").arg(QCoreApplication::applicationPid());
    QFile::remove(marker);
    const std::unique_ptr<const QString, void (*)(const QString*)> removeMarker(
        &marker, [](const QString* path) { QFile::remove(*path); });
    // Put between double quotes unescaped, the quotes of 'e2e "$(touch /tmp/...)";x' pair up
    // and the shell runs the touch.
    const QString folderName = QStringLiteral("e2e \"$(touch ");
    RobotFolder top(folderName);
    ASSERT_TRUE(top.made());
    RobotFolder tmp(folderName + QStringLiteral("/tmp"));
    ASSERT_TRUE(tmp.made());
    const QString fileName = marker.section(QLatin1Char('/'), -1) + QStringLiteral(")\";x.tkp2");
    const QString robotFile = QStringLiteral("/home/tavik/%1/tmp/%2").arg(folderName, fileName);

    QSettings().setValue(QStringLiteral("remote-execution-debug-interval"), 0);
    view->on_ipAddressChanged(address);
    view->show();
    ASSERT_TRUE(waitForIdle());
    ASSERT_TRUE(activate(folderName));
    uploadInto(QStringLiteral("tmp"), fileName);
    ASSERT_TRUE(QFile::exists(robotFile));

    ASSERT_TRUE(activate(fileName));
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Logged in."))) << logText().toStdString();
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Interpreter version 3.3.1"))) << logText().toStdString();
    ASSERT_TRUE(waitForLogStart(QStringLiteral("Starting program "))) << logText().toStdString();
    for (const char* step : {"Loading types", "Loading actor types", "Loading devices", "Loading project",
                             "Successfully connected to all devices"}) {
        // The step, a blank, and a dot for each chunk of output since.
        const QRegularExpression line(
            QStringLiteral("^%1 \\.*$").arg(QRegularExpression::escape(QString::fromLatin1(step))));
        EXPECT_EQ(log().filter(line).size(), 1) << step << "\n" << logText().toStdString();
    }
    EXPECT_EQ(view->findChild<QTableWidget*>(QStringLiteral("variableTable"))->rowCount(), 0)
        << "an interval of 0 prints no variables";
    EXPECT_FALSE(QFile::exists(marker)) << "the file name ran a command";
    EXPECT_NE(interpreterRunning(robotFile), 0) << "the interpreter runs on the file";

    QTest::mouseClick(progress()->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(log().first(), QStringLiteral("Current action terminated"));
    EXPECT_TRUE(waitForIdle());
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesMentioning(robotFile).isEmpty(); }, waitLimitMs));
    // Ctrl+C came before the hang-up: the interpreter's last steps still reach the shell
    // connection, after its processes are gone as the case may be. The view's log may miss them
    // (the last variable lines can share their chunk), the session log has every chunk.
    EXPECT_TRUE(QTest::qWaitFor([&] { return sessionLog().contains("Disconnecting devices"); }, waitLimitMs))
        << sessionLog().toStdString();
    EXPECT_TRUE(sessionLog().contains("Ctrl + C has been hit.")) << sessionLog().toStdString();
    EXPECT_FALSE(QFile::exists(marker)) << "the file name ran a command";
}

// The workbench going away in the middle of a run drops the shell connection without a Ctrl+C:
// the hang-up ends the interpreter on the robot all the same, and nothing of the run is left.
TEST_F(UploadRoad, droppedConnectionEndsTheRunOnTheRobot)
{
    const QString folderName = QStringLiteral("drop-%1").arg(QCoreApplication::applicationPid());
    RobotFolder folder(folderName);
    ASSERT_TRUE(folder.made());
    uploadInto(folderName, QStringLiteral("counter.tkp2"));
    const QString robotFile = QStringLiteral("/home/tavik/%1/counter.tkp2").arg(folderName);

    ASSERT_TRUE(activate(QStringLiteral("counter.tkp2")));
    auto* table = view->findChild<QTableWidget*>(QStringLiteral("variableTable"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() > 0; }, waitLimitMs))
        << logText().toStdString();
    ASSERT_NE(interpreterRunning(robotFile), 0);

    view.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesMentioning(robotFile).isEmpty(); }, waitLimitMs))
        << "the run outlived its connection";
}
