#include "SanitizerReport.h"

#include <tavview/Telnet.h>
#include <tavview/TelnetClient.h>
#include <tavview/uploader/FtpUpload.h>
#include <tavview/uploader/FtpView.h>
#include <tavview/uploader/InterpreterCommand.h>
#include <tavview/uploader/RobotFtp.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

#include <pwd.h>
#include <unistd.h>

using tavview::Telnet;
using tavview::TelnetClient;
using tavview::uploader::FtpUpload;
using tavview::uploader::FtpView;
using tavview::uploader::interpreterCommandLine;
using tavview::uploader::robotFtpUrl;

namespace {

// A real login takes a few seconds (PAM delays a failed one); these only bound a failure.
constexpr int loginLimitMs = 30000;
constexpr int outputLimitMs = 15000;

// The robot's telnet (port) or FTP (ftp-port) address that tests/support/robot-rig set up.
QString robotAddress(const QString& portFile = QStringLiteral("port"))
{
    QFile port(qEnvironmentVariable("TAVVIEW_ROBOT_RIG") + QLatin1Char('/') + portFile);
    if (!port.open(QIODevice::ReadOnly))
        return QString();
    return QStringLiteral("127.0.0.1:%1").arg(QString::fromLatin1(port.readAll().trimmed()));
}

// Processes whose command line mentions the text.
QStringList processesMentioning(const QString& text)
{
    QStringList found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString& pid : pids) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromUtf8(cmdline.readAll().replace('\0', ' '));
        if (line.contains(text))
            found.append(pid + QLatin1Char(' ') + line);
    }
    return found;
}

// A folder of the robot's home, made for one test and given to the robot account.
class RobotFolder
{
public:
    explicit RobotFolder(const QString& relativePath) : _top(relativePath.section(QLatin1Char('/'), 0, 0))
    {
        const QDir home(QStringLiteral("/home/tavik"));
        _made = home.mkpath(relativePath);
        const passwd* account = getpwnam("tavik");
        QString path = home.path();
        for (const QString& part : relativePath.split(QLatin1Char('/'))) {
            path += QLatin1Char('/') + part;
            if (account)
                _made = chown(QFile::encodeName(path).constData(), account->pw_uid, account->pw_gid) == 0 &&
                        _made;
        }
    }
    ~RobotFolder() { QDir(QStringLiteral("/home/tavik/") + _top).removeRecursively(); }
    bool made() const { return _made; }

private:
    QString _top;
    bool _made = false;
};

class RobotLink : public testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "the robot rig needs root for its telnet daemon and login account";
        address = robotAddress();
        ASSERT_FALSE(address.isEmpty()) << "robot rig not running (CTest fixture robot_rig)";
    }

    QString address;
};

} // namespace

// The shell echoes every command line; the expected texts only come into being when the
// shell runs the command (arithmetic expansion and joined quotes), so the echo cannot
// satisfy the checks.
TEST_F(RobotLink, logsInRunsACommandAndReadsItsOutput)
{
    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QSignalSpy errors(&telnet, &Telnet::errorMessage);
    QSignalSpy variables(&telnet, &Telnet::globalVariableReceived);
    QSignalSpy versions(&telnet, &Telnet::interpreterVersionReceived);
    QStringList messages;
    QObject::connect(&telnet, &Telnet::message, [&](const QString& text) { messages.append(text); });

    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));

    telnet.sendData(QStringLiteral("echo \"## spe\"\"ed;;$((6*2)) ##\"; echo \"## gear;;$((1+1)) ##\""));
    ASSERT_TRUE(QTest::qWaitFor([&] { return variables.count() >= 2; }, outputLimitMs));
    EXPECT_EQ(variables.at(0), (QVariantList{"speed", "12"}));
    EXPECT_EQ(variables.at(1), (QVariantList{"gear", "2"}));

    telnet.sendData(QStringLiteral("echo \"TavikView Interpreter Version $((1+2)).3.1\""));
    ASSERT_TRUE(versions.wait(outputLimitMs));
    EXPECT_EQ(versions.at(0).at(0).value<lum::core::Version>(), lum::core::Version(3, 3, 1));

    telnet.sendData(QStringLiteral("echo \"plain $((6*7))\""));
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.join(QString()).contains(QLatin1String("plain 42")); },
                                outputLimitMs));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(variables.count(), 2);
}

TEST_F(RobotLink, interruptEndsTheRunningCommand)
{
    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QStringList messages;
    QObject::connect(&telnet, &Telnet::message, [&](const QString& text) { messages.append(text); });
    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));

    telnet.sendData(QStringLiteral("sh -c 'trap \"echo Terminating program$((0)).; exit 1\" INT; echo "
                                   "started; while :; do sleep 0.1; done'"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return messages.join(QString()).contains(QLatin1String("\nstarted\n")); }, outputLimitMs));
    telnet.findChild<TelnetClient*>(QStringLiteral("telnet"))->sendInterrupt();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return messages.join(QString()).contains(QLatin1String("Terminating program0.")); },
        outputLimitMs));
}

TEST_F(RobotLink, endOfTheShellIsALogout)
{
    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QSignalSpy loggedOut(&telnet, &Telnet::loggedOut);
    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));
    telnet.sendData(QStringLiteral("exit"));
    EXPECT_TRUE(loggedOut.wait(outputLimitMs));
}

TEST_F(RobotLink, wrongPasswordGivesTheLoginError)
{
    QSettings().setValue(QStringLiteral("telnet/password"), QStringLiteral("not-the-password"));
    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QSignalSpy errors(&telnet, &Telnet::errorMessage);
    telnet.connectToHost(address);
    const bool failed = errors.wait(loginLimitMs);
    QSettings().remove(QStringLiteral("telnet/password"));
    ASSERT_TRUE(failed);
    EXPECT_EQ(errors.at(0).at(0).toString(), QStringLiteral("Error: Login failed"));
    EXPECT_TRUE(loggedIn.isEmpty());
}

// The road of a remote run: the robot's shell starts the interpreter on a project, its banner
// and variable lines become events, and Ctrl+C over the shell ends the run.
TEST_F(RobotLink, runsTheInterpreterAndEndsItWithCtrlC)
{
    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QSignalSpy versions(&telnet, &Telnet::interpreterVersionReceived);
    QStringList names;
    QObject::connect(&telnet, &Telnet::globalVariableReceived,
                     [&](const QString& name, const QString&) { names.append(name); });
    // Every chunk as the shell sent it: the reader holds back chunks that carry variable lines,
    // and the interpreter's steps may share one with them.
    QStringList messages;
    QObject::connect(telnet.findChild<TelnetClient*>(QStringLiteral("telnet")), &TelnetClient::message,
                     [&](const QString& text) { messages.append(text); });
    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));

    const QString project = QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2");
    telnet.sendData(
        QStringLiteral("sudo /usr/bin/tavview_interpreter --global-variable-output-interval 200 -f \"%1\"")
            .arg(project));
    ASSERT_TRUE(versions.wait(outputLimitMs)) << messages.join(QString()).toStdString();
    EXPECT_EQ(versions.at(0).at(0).value<lum::core::Version>(), lum::core::Version(3, 3, 1));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return names.contains("counter") && names.contains("half"); }, outputLimitMs))
        << messages.join(QString()).toStdString();
    EXPECT_FALSE(names.contains("increment")) << "the program never writes it";

    telnet.findChild<TelnetClient*>(QStringLiteral("telnet"))->sendInterrupt();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return messages.join(QString()).contains(QLatin1String("Terminating program...")); },
        outputLimitMs))
        << messages.join(QString()).toStdString();

    // The shell runs the next command only once the interpreter has ended, so the next test
    // never meets this run's instance.
    telnet.sendData(QStringLiteral("echo \"ended $((40+2))\""));
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.join(QString()).contains(QLatin1String("ended 42")); },
                                outputLimitMs));
    // Whatever the remote interpreter reported on its way out came over the shell as well.
    testsupport::expectNoSanitizerReport(QStringLiteral("the robot's tavview_interpreter"),
                                         messages.join(QString()));
}

// The robot's FTP login lands in its home folder; a stored project is listed back there (the
// server has no MLSD: the LIST road) and opens from the folder view under its robot path.
TEST_F(RobotLink, projectStoredOverFtpIsListedInTheRobotFolder)
{
    const QString ftp = robotAddress(QStringLiteral("ftp-port"));
    ASSERT_FALSE(ftp.isEmpty()) << "the rig's FTP server is not running";
    const QString folderName = QStringLiteral("ftp-check-%1").arg(QCoreApplication::applicationPid());
    RobotFolder folder(folderName);
    ASSERT_TRUE(folder.made());
    QFile example(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray project = example.readAll();

    FtpUpload upload;
    QSignalSpy succeeded(&upload, &FtpUpload::succeeded);
    QSignalSpy failed(&upload, &FtpUpload::failed);
    upload.start(robotFtpUrl(ftp, QStringLiteral("/home/tavik/%1/counter copy.tkp2").arg(folderName)),
                 project);
    ASSERT_TRUE(succeeded.wait(outputLimitMs)) << failed.value(0).value(0).toString().toStdString();
    QFile stored(QStringLiteral("/home/tavik/%1/counter copy.tkp2").arg(folderName));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll() == project);

    FtpView view;
    QSignalSpy listed(&view, &FtpView::listed);
    QSignalSpy listingFailed(&view, &FtpView::listingFailed);
    QSignalSpy programClicked(&view, &FtpView::programClicked);
    view.list(robotFtpUrl(ftp, QStringLiteral("/home/tavik/")));
    ASSERT_TRUE(listed.wait(outputLimitMs)) << listingFailed.value(0).value(0).toString().toStdString();
    auto* tree = view.findChild<QTreeWidget*>();
    EXPECT_EQ(tree->findItems(QStringLiteral(".."), Qt::MatchExactly).size(), 0);
    ASSERT_EQ(tree->findItems(folderName, Qt::MatchExactly).size(), 1);

    view.list(robotFtpUrl(ftp, QStringLiteral("/home/tavik/%1/").arg(folderName)));
    ASSERT_TRUE(listed.wait(outputLimitMs)) << listingFailed.value(0).value(0).toString().toStdString();
    const auto items = tree->findItems(QStringLiteral("counter copy.tkp2"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first()->text(1), QLocale().formattedDataSize(project.size()));
    tree->setCurrentItem(items.first());
    QTest::keyClick(tree, Qt::Key_Return);
    ASSERT_EQ(programClicked.count(), 1);
    EXPECT_EQ(programClicked.at(0).at(0).toUrl().path(QUrl::FullyDecoded),
              QStringLiteral("/home/tavik/%1/counter copy.tkp2").arg(folderName));
}

// A project whose robot path holds a double quote, a command substitution and a semicolon,
// stored over FTP and started from the folder view: only the interpreter runs, on that very
// file; ending the run lets the interpreter terminate and leaves no process behind.
TEST_F(RobotLink, pathWithShellSyntaxRunsOnlyTheInterpreterAndEndingTheRunLeavesNothing)
{
    const QString ftp = robotAddress(QStringLiteral("ftp-port"));
    ASSERT_FALSE(ftp.isEmpty()) << "the rig's FTP server is not running";
    const QString marker = QStringLiteral("/tmp/tavview-marker-%1").arg(QCoreApplication::applicationPid());
    QFile::remove(marker);
    const std::unique_ptr<const QString, void (*)(const QString*)> removeMarker(
        &marker, [](const QString* path) { QFile::remove(*path); });
    // Split at its slashes: the folders 'e2e "$(touch ' and 'tmp', the file 'tavview-marker-N)";x.tkp2'.
    // Put between double quotes unescaped, the quotes pair up and the shell runs the touch.
    const QString path = QStringLiteral("/home/tavik/e2e \"$(touch %1)\";x.tkp2").arg(marker);
    const QString folderPath = path.section(QLatin1Char('/'), 0, -2);
    RobotFolder folder(folderPath.mid(QStringLiteral("/home/tavik/").size()));
    ASSERT_TRUE(folder.made());

    QFile example(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    FtpUpload upload;
    QSignalSpy succeeded(&upload, &FtpUpload::succeeded);
    upload.start(robotFtpUrl(ftp, path), example.readAll());
    ASSERT_TRUE(succeeded.wait(outputLimitMs));

    FtpView view;
    QSignalSpy listed(&view, &FtpView::listed);
    QSignalSpy programClicked(&view, &FtpView::programClicked);
    view.list(robotFtpUrl(ftp, folderPath));
    ASSERT_TRUE(listed.wait(outputLimitMs));
    auto* tree = view.findChild<QTreeWidget*>();
    const auto items = tree->findItems(path.section(QLatin1Char('/'), -1), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    tree->setCurrentItem(items.first());
    QTest::keyClick(tree, Qt::Key_Return);
    ASSERT_EQ(programClicked.count(), 1);
    const QString clicked = programClicked.at(0).at(0).toUrl().path(QUrl::FullyDecoded);
    EXPECT_EQ(clicked, path);

    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QSignalSpy versions(&telnet, &Telnet::interpreterVersionReceived);
    QSignalSpy ended(&telnet, &Telnet::runEnded);
    QStringList names;
    QObject::connect(&telnet, &Telnet::globalVariableReceived,
                     [&](const QString& name, const QString&) { names.append(name); });
    // Every chunk as the shell sent it: the reader holds back chunks that carry variable lines,
    // and the interpreter's steps may share one with them.
    QStringList messages;
    QObject::connect(telnet.findChild<TelnetClient*>(QStringLiteral("telnet")), &TelnetClient::message,
                     [&](const QString& text) { messages.append(text); });
    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));
    telnet.sendData(interpreterCommandLine(200, clicked));
    ASSERT_TRUE(versions.wait(outputLimitMs)) << messages.join(QString()).toStdString();
    EXPECT_FALSE(QFile::exists(marker)) << "the file name ran a command";
    ASSERT_TRUE(QTest::qWaitFor([&] { return names.contains("counter"); }, outputLimitMs))
        << messages.join(QString()).toStdString();
    EXPECT_TRUE(messages.join(QString()).contains(QLatin1String("done.")));
    EXPECT_FALSE(processesMentioning(marker).isEmpty()) << "the interpreter runs on the file";

    telnet.endRun();
    ASSERT_TRUE(ended.wait(outputLimitMs));
    EXPECT_TRUE(messages.join(QString()).contains(QLatin1String("Terminating program...")))
        << "Ctrl+C came before the hang-up: " << messages.join(QString()).toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesMentioning(marker).isEmpty(); }, outputLimitMs))
        << processesMentioning(marker).join('\n').toStdString();
    EXPECT_FALSE(QFile::exists(marker)) << "the file name ran a command";
}

// The robot's interpreter command ends with the robot's own line, however the run ended.
TEST_F(RobotLink, robotsInterpreterCommandEndsWithTheStopLine)
{
    Telnet telnet(nullptr, false);
    QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
    QSignalSpy stopped(&telnet, &Telnet::interpreterStopped);
    QStringList messages;
    QObject::connect(&telnet, &Telnet::message, [&](const QString& text) { messages.append(text); });
    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));
    telnet.sendData(interpreterCommandLine(0, QStringLiteral("/home/tavik/missing-%1.tkp2").arg(getpid())));
    ASSERT_TRUE(stopped.wait(outputLimitMs)) << messages.join(QString()).toStdString();
    EXPECT_TRUE(messages.join(QString()).contains(QLatin1String("... failed")))
        << messages.join(QString()).toStdString();
}
