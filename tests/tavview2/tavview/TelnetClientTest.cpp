#include "FakeShell.h"

#include <tavview/Telnet.h>
#include <tavview/TelnetClient.h>

#include <QCoreApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <libtelnet.h>

using tavview::Telnet;
using tavview::TelnetClient;

namespace {

constexpr int waitLimitMs = 10000;

QByteArray telnetBytes(std::initializer_list<unsigned char> bytes)
{
    QByteArray result;
    for (unsigned char byte : bytes)
        result.append(static_cast<char>(byte));
    return result;
}

// A client logged into a fake shell, with its messages collected.
class LoggedInClient : public testing::Test
{
protected:
    void SetUp() override
    {
        QSignalSpy loggedIn(&client, &TelnetClient::loggedIn);
        client.connectToHost(shell.address());
        ASSERT_TRUE(shell.login());
        ASSERT_TRUE(loggedIn.wait(waitLimitMs));
        QObject::connect(&client, &TelnetClient::message,
                         [this](const QString& text) { messages.append(text); });
    }

    bool waitForMessages(int count)
    {
        return QTest::qWaitFor([&] { return messages.size() >= count; }, waitLimitMs);
    }

    FakeShell shell;
    TelnetClient client;
    QStringList messages;
};

} // namespace

TEST(TelnetClientLogin, answersTerminalTypeAndPromptsSplitAcrossReads)
{
    FakeShell shell;
    TelnetClient client;
    QSignalSpy loggedIn(&client, &TelnetClient::loggedIn);
    QSignalSpy loginRequired(&client, &TelnetClient::loginRequired);
    client.connectToHost(shell.address());
    ASSERT_TRUE(shell.waitForPeer());

    shell.send(telnetBytes({TELNET_IAC, TELNET_DO, TELNET_TELOPT_TTYPE}));
    EXPECT_EQ(shell.receive(3), telnetBytes({TELNET_IAC, TELNET_WILL, TELNET_TELOPT_TTYPE}));
    shell.send(
        telnetBytes({TELNET_IAC, TELNET_SB, TELNET_TELOPT_TTYPE, TELNET_TTYPE_SEND, TELNET_IAC, TELNET_SE}));
    const QByteArray terminalType =
        telnetBytes({TELNET_IAC, TELNET_SB, TELNET_TELOPT_TTYPE, TELNET_TTYPE_IS}) + "dumb" +
        telnetBytes({TELNET_IAC, TELNET_SE});
    EXPECT_EQ(shell.receive(terminalType.size()), terminalType);

    QSignalSpy reads(client.findChild<QTcpSocket*>(), &QTcpSocket::readyRead);
    shell.send("\r\nrobot log");
    ASSERT_TRUE(reads.wait(waitLimitMs));
    EXPECT_TRUE(loginRequired.isEmpty()) << "answered half a prompt";
    shell.send("in: ");
    EXPECT_EQ(shell.receiveLine(), QByteArray("tavik"));
    EXPECT_EQ(loginRequired.count(), 1);
    shell.send("Pass");
    shell.send("word: ");
    EXPECT_EQ(shell.receiveLine(), QByteArray("qorvemba"));
    EXPECT_TRUE(loggedIn.isEmpty());
    shell.send("\r\nLast login: ");
    ASSERT_TRUE(reads.wait(waitLimitMs));
    shell.send("today\r\ntavik@robot:~$ ");
    ASSERT_TRUE(loggedIn.wait(waitLimitMs));
    EXPECT_TRUE(client.isLoggedIn());
}

TEST(TelnetClientLogin, takesUserAndPasswordFromTheSettings)
{
    QSettings().setValue(QStringLiteral("telnet/user"), QStringLiteral("robot"));
    QSettings().setValue(QStringLiteral("telnet/password"), QStringLiteral("s3cret"));
    FakeShell shell;
    TelnetClient client;
    QSignalSpy loggedIn(&client, &TelnetClient::loggedIn);
    client.connectToHost(shell.address());
    const bool answered = shell.login("robot", "s3cret");
    QSettings().remove(QStringLiteral("telnet"));
    EXPECT_TRUE(answered);
    EXPECT_TRUE(loggedIn.wait(waitLimitMs));
}

TEST(TelnetClientLogin, loginIncorrectFailsTheLoginAndHangsUp)
{
    FakeShell shell;
    TelnetClient client;
    QSignalSpy loggedIn(&client, &TelnetClient::loggedIn);
    QSignalSpy loginFailed(&client, &TelnetClient::loginFailed);
    client.connectToHost(shell.address());
    ASSERT_TRUE(shell.waitForPeer());
    shell.send("robot login: ");
    ASSERT_FALSE(shell.receiveLine().isEmpty());
    shell.send("Password: ");
    ASSERT_FALSE(shell.receiveLine().isEmpty());
    shell.send("\r\nLogin incorrect\r\nrobot login: ");
    ASSERT_TRUE(loginFailed.wait(waitLimitMs));
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_TRUE(loggedIn.isEmpty());
}

TEST(TelnetClientLogin, floodWithoutAPromptIsAFailedLogin)
{
    FakeShell shell;
    TelnetClient client;
    QSignalSpy loginFailed(&client, &TelnetClient::loginFailed);
    client.connectToHost(shell.address());
    ASSERT_TRUE(shell.waitForPeer());
    const QByteArray block(64 * 1024, 'z');
    for (int i = 0; i < 32 && loginFailed.isEmpty(); ++i) {
        shell.send(block);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(loginFailed.count() == 1 || loginFailed.wait(waitLimitMs));
    EXPECT_EQ(loginFailed.count(), 1);
    EXPECT_TRUE(shell.waitForPeerClosed());
}

TEST(TelnetClientLogin, refusedConnectionIsAConnectionErrorOnly)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();

    TelnetClient client;
    QSignalSpy errors(&client, &TelnetClient::connectionError);
    QSignalSpy loggedOut(&client, &TelnetClient::loggedOut);
    client.connectToHost(QStringLiteral("127.0.0.1:%1").arg(port));
    ASSERT_TRUE(errors.wait(waitLimitMs));
    EXPECT_EQ(errors.at(0).at(0).value<QAbstractSocket::SocketError>(),
              QAbstractSocket::ConnectionRefusedError);
    EXPECT_TRUE(loggedOut.isEmpty());
}

TEST_F(LoggedInClient, deliversWholeLinesWithLineEndsOfTheShell)
{
    shell.send(QByteArray("a\r\nb\r\r\nc\0d\r\n", 12));
    ASSERT_TRUE(waitForMessages(1));
    EXPECT_EQ(messages.takeFirst(), QStringLiteral("a\nb\r\ncd\n"));

    QSignalSpy reads(client.findChild<QTcpSocket*>(), &QTcpSocket::readyRead);
    shell.send("## speed;;1");
    ASSERT_TRUE(reads.wait(waitLimitMs));
    EXPECT_TRUE(messages.isEmpty()) << "half a line was passed on";
    shell.send("2 ##\r\n## ang\xc3");
    shell.send("\xa4le;;3 ##\r\n");
    // The reads may come together or apart; either way only whole lines are passed on.
    const QString expected = QString::fromUtf8("## speed;;12 ##\n## ang\xc3\xa4le;;3 ##\n");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return messages.join(QString()).size() >= expected.size(); }, waitLimitMs));
    EXPECT_EQ(messages.join(QString()), expected);
    for (const QString& message : qAsConst(messages))
        EXPECT_TRUE(message.endsWith(QLatin1Char('\n'))) << message.toStdString();
}

TEST_F(LoggedInClient, passesOnAnUnfinishedLineOnceThePeerPauses)
{
    shell.send("progress\rtavik@robot:~$ ");
    ASSERT_TRUE(waitForMessages(1));
    EXPECT_EQ(messages, QStringList{"progress\rtavik@robot:~$ "});
}

TEST_F(LoggedInClient, textThatKeepsComingWithoutLineEndIsNotHeldBackForEver)
{
    QTimer trickle;
    QObject::connect(&trickle, &QTimer::timeout, [this] { shell.send("x"); });
    trickle.start(20);
    ASSERT_TRUE(waitForMessages(1)) << "an endless line was held back";
    trickle.stop();
    EXPECT_EQ(messages.first(), QString(messages.first().size(), QLatin1Char('x')));
}

TEST_F(LoggedInClient, longUnfinishedLineIsPassedOnWithoutWaiting)
{
    // Only the size limit may pass the line on here.
    auto* wait = client.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(wait, nullptr);
    wait->setInterval(3600 * 1000);

    const QByteArray line(70 * 1024, 'y');
    shell.send(line + "\r");
    ASSERT_TRUE(waitForMessages(1));
    EXPECT_GE(messages.first().size(), 64 * 1024);
    shell.send("\nend\r\n");
    const QString expected = QString::fromLatin1(line) + QStringLiteral("\nend\n");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return messages.join(QString()).size() >= expected.size(); }, waitLimitMs));
    EXPECT_EQ(messages.join(QString()), expected) << "the CR of a split CR LF went early";
}

TEST_F(LoggedInClient, sendsCommandLinesAndInterrupts)
{
    client.sendData(QStringLiteral("echo \u00e4"));
    EXPECT_EQ(shell.receiveLine(), QByteArray("echo \xc3\xa4"));
    client.sendInterrupt();
    EXPECT_EQ(shell.receive(2), telnetBytes({TELNET_IAC, TELNET_IP}));
}

TEST_F(LoggedInClient, endOfTheShellIsALogoutNotAnError)
{
    QSignalSpy loggedOut(&client, &TelnetClient::loggedOut);
    QSignalSpy errors(&client, &TelnetClient::connectionError);
    shell.send("logout\r\nlast words");
    shell.close();
    ASSERT_TRUE(loggedOut.wait(waitLimitMs));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(messages, (QStringList{"logout\n", "last words"}));
    EXPECT_FALSE(client.isLoggedIn());
}

TEST(TelnetClientLogin, commandLineBeforeLoginIsNotTakenForTheName)
{
    FakeShell shell;
    TelnetClient client;
    client.connectToHost(shell.address());
    ASSERT_TRUE(shell.waitForPeer());
    client.sendData(QStringLiteral("rm -rf data"));
    shell.send("robot login: ");
    EXPECT_EQ(shell.receiveLine(), QByteArray("tavik"));
}

// The package operations of Telnet, as the robot's shell receives them.
class TelnetPackages : public testing::Test
{
protected:
    void SetUp() override
    {
        QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
        telnet.connectToHost(shell.address());
        ASSERT_TRUE(shell.login());
        ASSERT_TRUE(loggedIn.wait(waitLimitMs));
    }

    FakeShell shell;
    Telnet telnet{nullptr, false};
};

TEST_F(TelnetPackages, versionQueryUnpacksTheToolsFirst)
{
    telnet.getVersion({"tavview3", "tavik-firmware-2"});
    EXPECT_EQ(shell.receiveLine(),
              QByteArray("cd /home/tavik/.packages; tar xf /home/tavik/.packages/pkgtools.tar"));
    EXPECT_EQ(shell.receiveLine(), QByteArray("/home/tavik/.packages/pkginfo.sh tavview3 tavik-firmware-2"));
    telnet.startOpentavik1();
    EXPECT_EQ(shell.receiveLine(), QByteArray("/home/tavik/.packages/start-tavik-daemons.sh"));
}

TEST_F(TelnetPackages, installAndRemoveLeaveFirmwareAlone)
{
    QSignalSpy installed(&telnet, &Telnet::packageInstallFinished);
    QSignalSpy removed(&telnet, &Telnet::packageRemoveFinished);
    const QStringList packages{"tavik-firmware-1.2", "tavview3", "tavikarm-firmware", "opencv",
                               "my-tavik-firmware"};
    telnet.installPackages(packages);
    EXPECT_EQ(shell.receiveLine(),
              QByteArray("/home/tavik/.packages/pkginstall.sh tavview3 opencv my-tavik-firmware"));
    telnet.removePackages(packages);
    EXPECT_EQ(shell.receiveLine(),
              QByteArray("/home/tavik/.packages/pkgremove.sh tavview3 opencv my-tavik-firmware"));
    EXPECT_TRUE(installed.isEmpty());
    EXPECT_TRUE(removed.isEmpty());

    telnet.installPackages({"tavik-firmware-1.2"});
    EXPECT_EQ(installed.count(), 1);
    telnet.removePackages({"tavikarm-firmware-3", "tavik-firmware"});
    EXPECT_EQ(removed.count(), 1);
    telnet.startOpentavik1();
    EXPECT_EQ(shell.receiveLine(), QByteArray("/home/tavik/.packages/start-tavik-daemons.sh"))
        << "firmware-only lists must send nothing";
}

TEST_F(TelnetPackages, oddPackageNamesStayOneArgument)
{
    telnet.installPackages({"a;reboot", "it's"});
    EXPECT_EQ(shell.receiveLine(), QByteArray("/home/tavik/.packages/pkginstall.sh 'a;reboot' 'it'\\''s'"));
}

// Ending a remote run: Ctrl+C reaches the shell first, and the connection closes only once
// the interpreter reports that it lets go of its devices.
class EndingRun : public testing::Test
{
protected:
    void SetUp() override
    {
        QSignalSpy loggedIn(&telnet, &Telnet::loggedIn);
        telnet.connectToHost(shell.address());
        ASSERT_TRUE(shell.login());
        ASSERT_TRUE(loggedIn.wait(waitLimitMs));
    }

    FakeShell shell;
    Telnet telnet{nullptr, false};
};

TEST_F(EndingRun, interruptsFirstAndClosesWhenDevicesAreLetGo)
{
    QSignalSpy ended(&telnet, &Telnet::runEnded);
    QSignalSpy messages(&telnet, &Telnet::message);
    telnet.endRun(3600 * 1000);
    EXPECT_EQ(shell.receive(2), telnetBytes({TELNET_IAC, TELNET_IP}));
    shell.send("Ctrl + C has been hit. Program will be terminated.\r\nTerminating program... done.\r\n");
    // The connection stays while the program terminates.
    ASSERT_TRUE(messages.wait(waitLimitMs));
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(telnet.findChild<TelnetClient*>()->isLoggedIn());
    shell.send("Disconnecting devices...");
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(EndingRun, closesAfterTheGraceTimeWhenTheRunDoesNotEnd)
{
    QSignalSpy ended(&telnet, &Telnet::runEnded);
    telnet.endRun(100);
    EXPECT_EQ(shell.receive(2), telnetBytes({TELNET_IAC, TELNET_IP}));
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(EndingRun, endOfTheShellEndsTheRunAtOnce)
{
    QSignalSpy ended(&telnet, &Telnet::runEnded);
    telnet.endRun(3600 * 1000);
    EXPECT_EQ(shell.receive(2), telnetBytes({TELNET_IAC, TELNET_IP}));
    shell.send("logout\r\n");
    shell.close();
    ASSERT_TRUE(ended.wait(waitLimitMs));
    EXPECT_EQ(ended.count(), 1);
}

TEST(EndingRunBeforeLogin, endsAtOnceWithoutInterrupt)
{
    FakeShell shell;
    Telnet telnet(nullptr, false);
    QSignalSpy ended(&telnet, &Telnet::runEnded);
    telnet.connectToHost(shell.address());
    ASSERT_TRUE(shell.waitForPeer());
    telnet.endRun();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(shell.waitForPeerClosed());
    EXPECT_TRUE(shell.received().isEmpty()) << "nothing is sent to a login prompt";
}
