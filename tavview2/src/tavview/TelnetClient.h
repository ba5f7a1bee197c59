#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QTcpSocket;
class QTextDecoder;
class QTimer;

struct telnet_t;
union telnet_event_t;

namespace tavview {

// A telnet client that logs into a remote shell and then passes on what the shell prints.
//
// Login name and password come from the settings "telnet/user" and "telnet/password".
// After login, text arrives through message() in chunks of whole lines with CR LF turned
// into LF and NUL removed; an unfinished last line (a prompt) follows shortly after it began,
// or at once when it grows past a limit.
class TelnetClient : public QObject
{
    Q_OBJECT

public:
    explicit TelnetClient(QObject* parent = nullptr);
    ~TelnetClient() override;

    // host is an address with an optional ":port" (port 23 when none is given).
    void connectToHost(const QString& host);
    bool isLoggedIn() const { return _state == State::LoggedIn; }

    // Sends one command line; the line end is added here.
    void sendData(const QString& text);
    // Ends the connection; a logged-in session reports loggedOut().
    void disconnectFromHost();
    // Asks the remote side to interrupt the running command, as Ctrl+C at its terminal does.
    void sendInterrupt();

signals:
    void loggedIn();
    void loggedOut();
    void loginFailed();
    void loginRequired();
    void connectionError(QAbstractSocket::SocketError error);
    void message(const QString& text);

private:
    enum class State
    {
        Disconnected,
        AwaitingLoginPrompt,
        AwaitingPasswordPrompt,
        AwaitingShell,
        LoggedIn,
        Failed
    };

    static void eventHandler(telnet_t* telnet, telnet_event_t* event, void* userData);
    void handleEvent(const telnet_event_t& event);
    void onReadyRead();
    void onDisconnected();
    void onErrorOccurred(QAbstractSocket::SocketError error);
    void advanceLogin(const QString& text);
    void failLogin();
    void deliverCompleteLines();
    void deliver(const QByteArray& bytes);
    void flushPartialLine();
    void sendLine(const QByteArray& line);
    void resetSession();

    QTcpSocket* _socket;
    QTimer* _partialLineTimer;
    std::unique_ptr<QTextDecoder> _decoder;
    telnet_t* _telnet = nullptr;
    State _state = State::Disconnected;
    QByteArray _received;
    qint64 _loginBytes = 0;
    QString _user;
    QString _password;
};

} // namespace tavview
