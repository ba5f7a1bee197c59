#include <tavview/Telnet.h>
#include <tavview/TelnetClient.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using tavview::Telnet;
using tavview::TelnetClient;

namespace {

// Every event of a Telnet as text, in the order it was emitted.
class Recorder
{
public:
    explicit Recorder(Telnet& telnet)
    {
        QObject::connect(&telnet, &Telnet::packageInfoFinished, [this] { add("packageInfoFinished"); });
        QObject::connect(&telnet, &Telnet::packageInstallFinished, [this] { add("packageInstallFinished"); });
        QObject::connect(&telnet, &Telnet::packageRemoveFinished, [this] { add("packageRemoveFinished"); });
        QObject::connect(&telnet, &Telnet::errorMessage,
                         [this](const QString& text) { add("errorMessage " + text); });
        QObject::connect(&telnet, &Telnet::message, [this](const QString& text) { add("message " + text); });
        QObject::connect(&telnet, &Telnet::opentavik1Started, [this] { add("opentavik1Started"); });
        QObject::connect(&telnet, &Telnet::globalVariableReceived,
                         [this](const QString& name, const QString& value) {
                             add("variable [" + name + "] [" + value + "]");
                         });
        QObject::connect(&telnet, &Telnet::loggedIn, [this] { add("loggedIn"); });
        QObject::connect(&telnet, &Telnet::loggedOut, [this] { add("loggedOut"); });
        QObject::connect(
            &telnet, &Telnet::interpreterVersionReceived,
            [this](const lum::core::Version& version) { add("version " + version.toQString()); });
        QObject::connect(&telnet, &Telnet::interpreterStopped, [this] { add("interpreterStopped"); });
    }

    QStringList take()
    {
        QStringList result;
        result.swap(_events);
        return result;
    }

private:
    void add(const QString& event) { _events.append(event); }

    QStringList _events;
};

// Drives the parser as the transport does: through the client's signals.
class TelnetParser : public testing::Test
{
protected:
    QStringList receive(const QString& chunk)
    {
        emit client()->message(chunk);
        return recorder.take();
    }

    TelnetClient* client() { return telnet->findChild<TelnetClient*>(QStringLiteral("telnet")); }

    std::unique_ptr<Telnet> telnet = std::make_unique<Telnet>(nullptr, false);
    Recorder recorder{*telnet};
};

QString debugLogPath()
{
    return QDir::homePath() + QStringLiteral("/Brennic/TavikView3/telnet_debug.txt");
}

} // namespace

TEST_F(TelnetParser, variableLineConsumesItsWholeChunk)
{
    EXPECT_EQ(receive("## speed;;12 ##\nLoading project..."), QStringList{"variable [speed] [12]"});
    EXPECT_EQ(receive("Loading project...\n## speed;;13 ##\n"), QStringList{"variable [speed] [13]"});
    EXPECT_EQ(receive("## a;;1 ##\n## b_2;;x y ##\n"),
              (QStringList{"variable [a] [1]", "variable [b_2] [x y]"}));
}

TEST_F(TelnetParser, variableValueIsTakenByPositionNotBySearch)
{
    EXPECT_EQ(receive("## speed;; ##\n"), QStringList{"variable [speed] []"});
    // The carriage return is the last of the three characters cut off, so the blank stays.
    EXPECT_EQ(receive("## speed;;12 ##\r\n"), QStringList{"variable [speed] [12 ]"});
    EXPECT_EQ(receive("xx## speed;;12 ##"), QStringList{"variable [# speed] [12]"});
    EXPECT_EQ(receive("## a;;x ## y ##\n"), QStringList{"variable [a] [x ## y]"});
    EXPECT_EQ(receive("## a;;;b ##\n"), QStringList{"variable [a] [;b]"});
    EXPECT_EQ(receive("## a;;;;b ##\n"), QStringList{"message ## a;;;;b ##\n"});
}

TEST_F(TelnetParser, lineThatIsNoVariableLineIsPassedOnUnchanged)
{
    EXPECT_EQ(receive("## a;;b;;c ##\n"), QStringList{"message ## a;;b;;c ##\n"});
    EXPECT_EQ(receive("## 1speed;;12 ##\n"), QStringList{"message ## 1speed;;12 ##\n"});
    EXPECT_EQ(receive("## speed;;12\n"), QStringList{"message ## speed;;12\n"});
    EXPECT_EQ(receive("Loading project...\n"), QStringList{"message Loading project...\n"});
    EXPECT_EQ(receive("\n\n\n"), QStringList{"message \n\n\n"});
}

TEST_F(TelnetParser, versionBannerIsReportedAndPassedOn)
{
    EXPECT_EQ(receive("TavikView Interpreter Version 3.0.15\n\n"),
              (QStringList{"version 3.0.15", "message TavikView Interpreter Version 3.0.15\n\n"}));
    EXPECT_EQ(receive("TavikView Interpreter Version 3.3.1\r\n"),
              (QStringList{"version 3.3.1", "message TavikView Interpreter Version 3.3.1\r\n"}));
    EXPECT_EQ(receive("TavikView Interpreter Version 3.2.\n"),
              QStringList{"message TavikView Interpreter Version 3.2.\n"});
    EXPECT_EQ(receive("Old TavikView Interpreter Version 3.3.1\n"),
              QStringList{"message Old TavikView Interpreter Version 3.3.1\n"});
}

TEST_F(TelnetParser, stopLineIsReportedAndPassedOn)
{
    EXPECT_EQ(receive("Send SIG2 to lcdd.\n"),
              (QStringList{"interpreterStopped", "message Send SIG2 to lcdd.\n"}));
    EXPECT_EQ(receive("## x;;5 ##\nSend SIG2 to lcdd.\n"),
              (QStringList{"variable [x] [5]", "interpreterStopped"}));
}

TEST_F(TelnetParser, packageScriptCompletionsAreConsumed)
{
    EXPECT_EQ(receive("pkginfo finished\n"), QStringList{"packageInfoFinished"});
    EXPECT_EQ(receive("pkginstall finished\n"), QStringList{"packageInstallFinished"});
    EXPECT_EQ(receive("pkgremove finished\n"), QStringList{"packageRemoveFinished"});
    EXPECT_EQ(receive("all tavik-daemons started\n"), QStringList{"opentavik1Started"});
    EXPECT_EQ(receive("pkginfo Finished\n"), QStringList{"message pkginfo Finished\n"});
}

TEST_F(TelnetParser, oneLineCanSatisfySeveralRulesInRuleOrder)
{
    EXPECT_EQ(receive("tavik-daemons started pkgremove finished pkginstall finished pkginfo finished\n"),
              (QStringList{"packageInfoFinished", "packageInstallFinished", "packageRemoveFinished",
                           "opentavik1Started"}));
    EXPECT_EQ(receive("TavikView Interpreter Version 3.3.1\n## speed;;12 ##\nSend SIG2 to lcdd.\n"),
              (QStringList{"version 3.3.1", "variable [speed] [12]", "interpreterStopped"}));
}

TEST(TelnetPrompt, passwordLineIsConsumedOnlyWhenExpected)
{
    Telnet withoutPrompt(nullptr, false);
    Recorder plain(withoutPrompt);
    auto* plainClient = withoutPrompt.findChild<TelnetClient*>(QStringLiteral("telnet"));
    emit plainClient->loggedIn();
    emit plainClient->message(QStringLiteral("Password: "));
    EXPECT_EQ(plain.take(), (QStringList{"loggedIn", "message Password: "}));

    Telnet withPrompt(nullptr, true);
    Recorder prompted(withPrompt);
    auto* client = withPrompt.findChild<TelnetClient*>(QStringLiteral("telnet"));
    emit client->message(QStringLiteral("Password: "));
    EXPECT_EQ(prompted.take(), QStringList{"message Password: "}) << "not before login";
    emit client->loggedIn();
    emit client->message(QStringLiteral("Password: "));
    emit client->message(QStringLiteral("Password: "));
    EXPECT_EQ(prompted.take(), (QStringList{"loggedIn", "message Password: "})) << "only the first one";

    emit client->loggedIn();
    emit client->loggedOut();
    emit client->message(QStringLiteral("Password: "));
    EXPECT_EQ(prompted.take(), (QStringList{"loggedIn", "loggedOut", "message Password: "}));
}

TEST(TelnetLogin, timerRunsFromConnectUntilLoginWithTheConfiguredTimeOut)
{
    Telnet byDefault(nullptr, false);
    QSettings().setValue(QStringLiteral("telnet/loginTimeout"), 45000);
    Telnet telnet(nullptr, false);
    QSettings().remove(QStringLiteral("telnet/loginTimeout"));
    Recorder recorder(telnet);
    auto* timer = telnet.findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);

    telnet.connectToHost(QStringLiteral("127.0.0.1:1"));
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 45000);

    auto* client = telnet.findChild<TelnetClient*>(QStringLiteral("telnet"));
    emit client->connectionError(QAbstractSocket::ConnectionRefusedError);
    emit client->loginRequired();
    EXPECT_TRUE(recorder.take().isEmpty()) << "connection errors are left to the time-out";
    EXPECT_TRUE(timer->isActive());

    emit client->loggedIn();
    EXPECT_FALSE(timer->isActive());

    byDefault.connectToHost(QStringLiteral("127.0.0.1:1"));
    EXPECT_EQ(byDefault.findChild<QTimer*>()->interval(), 120000);
}

TEST(TelnetLogin, failedLoginGivesTheLoginErrorOnce)
{
    Telnet telnet(nullptr, false);
    Recorder recorder(telnet);
    auto* client = telnet.findChild<TelnetClient*>(QStringLiteral("telnet"));
    emit client->loginFailed();
    EXPECT_EQ(recorder.take(), QStringList{"errorMessage Error: Login failed"});

    telnet.connectToHost(QStringLiteral("127.0.0.1:1"));
    emit client->loginFailed();
    EXPECT_FALSE(telnet.findChild<QTimer*>()->isActive()) << "the time-out would report it again";
    emit client->loginFailed();
    EXPECT_EQ(recorder.take(), QStringList{"errorMessage Error: Login failed"});
}

TEST(TelnetLogin, closedPortGivesTheLoginErrorWhenTheTimeOutExpires)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();

    QSettings().setValue(QStringLiteral("telnet/loginTimeout"), 2000);
    Telnet telnet(nullptr, false);
    QSettings().remove(QStringLiteral("telnet/loginTimeout"));
    QSignalSpy errors(&telnet, &Telnet::errorMessage);
    QSignalSpy refused(telnet.findChild<TelnetClient*>(QStringLiteral("telnet")),
                       &TelnetClient::connectionError);
    telnet.connectToHost(QStringLiteral("127.0.0.1:%1").arg(port));
    ASSERT_TRUE(refused.wait(30000));
    EXPECT_TRUE(errors.isEmpty()) << "reported before the time-out";
    EXPECT_TRUE(telnet.findChild<QTimer*>()->isActive());
    ASSERT_TRUE(errors.wait(30000));
    EXPECT_EQ(errors.at(0).at(0).toString(), QStringLiteral("Error: Login failed"));
}

TEST(TelnetDebugLog, holdsEveryChunkOfTheLatestSessionAsItArrives)
{
    {
        Telnet earlier(nullptr, false);
        earlier.debugLog(QStringLiteral("from an earlier session"));
    }
    {
        Telnet telnet(nullptr, false);
        auto* client = telnet.findChild<TelnetClient*>(QStringLiteral("telnet"));
        emit client->message(QStringLiteral("## speed;;12 ##\n"));
        emit client->message(QStringLiteral("Loading"));
        QFile live(debugLogPath());
        ASSERT_TRUE(live.open(QIODevice::ReadOnly));
        EXPECT_EQ(live.readAll(), QByteArray("## speed;;12 ##\nLoading")) << "held back in a buffer";
        telnet.debugLog(QStringLiteral("|note|"));
    }
    QFile log(debugLogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("## speed;;12 ##\nLoading|note|"));
}

TEST(TelnetDebugLog, unwritableProfileLeavesTheParserWorking)
{
    const QString brennic = QDir::homePath() + QStringLiteral("/Brennic");
    QDir(brennic).removeRecursively();
    QFile blocker(brennic);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    {
        Telnet telnet(nullptr, false);
        Recorder recorder(telnet);
        telnet.debugLog(QStringLiteral("nowhere to go"));
        emit telnet.findChild<TelnetClient*>(QStringLiteral("telnet"))
            ->message(QStringLiteral("## a;;1 ##\n"));
        EXPECT_EQ(recorder.take(), QStringList{"variable [a] [1]"});
    }
    EXPECT_FALSE(QFileInfo(debugLogPath()).exists());
    blocker.remove();
}
