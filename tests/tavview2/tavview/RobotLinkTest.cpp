#include "SanitizerReport.h"

#include <tavview/Telnet.h>
#include <tavview/TelnetClient.h>

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

using tavview::Telnet;
using tavview::TelnetClient;

namespace {

// A real login takes a few seconds (PAM delays a failed one); these only bound a failure.
constexpr int loginLimitMs = 30000;
constexpr int outputLimitMs = 15000;

// The robot's telnet address that tests/support/robot-rig set up.
QString robotAddress()
{
    QFile port(qEnvironmentVariable("TAVVIEW_ROBOT_RIG") + QStringLiteral("/port"));
    if (!port.open(QIODevice::ReadOnly))
        return QString();
    return QStringLiteral("127.0.0.1:%1").arg(QString::fromLatin1(port.readAll().trimmed()));
}

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
    QStringList messages;
    QObject::connect(&telnet, &Telnet::message, [&](const QString& text) { messages.append(text); });
    telnet.connectToHost(address);
    ASSERT_TRUE(loggedIn.wait(loginLimitMs));

    const QString project = QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2");
    telnet.sendData(
        QStringLiteral("sudo /usr/bin/tavview_interpreter --global-variable-output-interval 200 -f \"%1\"").arg(project));
    ASSERT_TRUE(versions.wait(outputLimitMs)) << messages.join(QString()).toStdString();
    EXPECT_EQ(versions.at(0).at(0).value<lum::core::Version>(), lum::core::Version(3, 3, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return names.contains("counter") && names.contains("half"); }, outputLimitMs))
        << messages.join(QString()).toStdString();
    EXPECT_FALSE(names.contains("increment")) << "the program never writes it";

    telnet.findChild<TelnetClient*>(QStringLiteral("telnet"))->sendInterrupt();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return messages.join(QString()).contains(QLatin1String("Terminating program...")); }, outputLimitMs))
        << messages.join(QString()).toStdString();

    // The shell runs the next command only once the interpreter has ended, so the next test
    // never meets this run's instance.
    telnet.sendData(QStringLiteral("echo \"ended $((40+2))\""));
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.join(QString()).contains(QLatin1String("ended 42")); },
                                outputLimitMs));
    // Whatever the remote interpreter reported on its way out came over the shell as well.
    testsupport::expectNoSanitizerReport(QStringLiteral("the robot's tavview_interpreter"), messages.join(QString()));
}
