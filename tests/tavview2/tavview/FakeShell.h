#pragma once

#include <QByteArray>
#include <QTcpServer>

class QTcpSocket;

// The robot's side of a telnet session, scripted by a test: listens on loopback, takes one
// connection, sends what the test gives it and collects what the client writes.
class FakeShell : public QObject
{
    Q_OBJECT

public:
    FakeShell();

    QString address() const;
    bool waitForPeer();
    void send(const QByteArray& bytes);
    // The next count bytes the client wrote; empty when they do not arrive in time.
    QByteArray receive(int count);
    // The next line the client wrote, without its CR LF; empty when none arrives in time.
    QByteArray receiveLine();
    QByteArray received() const { return _received; }
    // Answers the login prompts and shows a shell prompt; false when the client did not
    // send the expected name and password.
    bool login(const QByteArray& user = "tavik", const QByteArray& password = "qorvemba");
    void close();
    bool waitForPeerClosed();

private:
    QTcpServer _server;
    QTcpSocket* _peer = nullptr;
    QByteArray _received;
    bool _peerClosed = false;
};
