#pragma once

#include <lum/core/Version.h>
#include <QAbstractSocket>
#include <QObject>
#include <QRegExp>
#include <QString>
#include <QStringList>
#include <memory>

class QFile;
class QTextStream;
class QTimer;

namespace tavview {

class TelnetClient;

// The workbench's end of a remote shell on the robot: logs in within a time limit, turns what
// the robot's interpreter and package scripts print into events, and passes on everything else.
class Telnet : public QObject
{
    Q_OBJECT

public:
    // prompt: the remote side asks for a password once more after login.
    Telnet(QObject* parent, bool prompt);
    ~Telnet() override;

    void connectToHost(const QString& host);
    void sendData(const QString& text);

    void getVersion(const QStringList& packages);
    void installPackages(const QStringList& packages);
    void removePackages(const QStringList& packages);
    void startOpentavik1();

    void debugLog(const QString& text);

    // Ends the remote run as a user at the robot's terminal would: Ctrl+C first, so that the
    // interpreter terminates its program and lets go of its devices, then the connection
    // closes once "Disconnecting devices", the run's end line or the end of the shell comes,
    // or after the grace time. runEnded() follows the close.
    void endRun(int graceMs = defaultGraceMs);

    static constexpr int defaultGraceMs = 3000;

signals:
    void packageInfoFinished();
    void packageInstallFinished();
    void packageRemoveFinished();
    void errorMessage(const QString& text);
    void message(const QString& text);
    void opentavik1Started();
    void globalVariableReceived(const QString& name, const QString& value);
    void loggedIn();
    void loggedOut();
    void interpreterVersionReceived(const lum::core::Version& version);
    void interpreterStopped();
    void runEnded();

private slots:
    void on_telnet_connectionError(QAbstractSocket::SocketError error);
    void on_telnet_loggedIn();
    void on_telnet_loggedOut();
    void on_telnet_loginFailed();
    void on_telnet_loginRequired();
    void on_telnet_message(const QString& text);
    void on_timer_timeout();

private:
    void parseLine(const QStringRef& line, bool& handled);
    void reportLoginError();
    void closeConnection();

    QTimer* _timer;
    QTimer* _graceTimer;
    TelnetClient* _telnet;
    int _loginTimeout;
    bool _prompt;
    bool _awaitingPassword = false;
    bool _loginErrorReported = false;
    bool _ending = false;
    QRegExp _nameLinePattern;
    QFile* _logFile = nullptr;
    std::unique_ptr<QTextStream> _log;
};

} // namespace tavview
