#include "FakeShell.h"

#include <QTcpSocket>
#include <QTest>

namespace {

constexpr int waitLimitMs = 10000;

} // namespace

FakeShell::FakeShell()
{
    _server.listen(QHostAddress::LocalHost);
    connect(&_server, &QTcpServer::newConnection, this, [this] {
        _peer = _server.nextPendingConnection();
        connect(_peer, &QTcpSocket::readyRead, this, [this] { _received += _peer->readAll(); });
        connect(_peer, &QTcpSocket::disconnected, this, [this] { _peerClosed = true; });
    });
}

QString FakeShell::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(_server.serverPort());
}

bool FakeShell::waitForPeer()
{
    return QTest::qWaitFor([this] { return _peer != nullptr; }, waitLimitMs);
}

void FakeShell::send(const QByteArray& bytes)
{
    _peer->write(bytes);
    _peer->flush();
}

QByteArray FakeShell::receive(int count)
{
    if (!QTest::qWaitFor([&] { return _received.size() >= count; }, waitLimitMs))
        return QByteArray();
    const QByteArray bytes = _received.left(count);
    _received.remove(0, count);
    return bytes;
}

QByteArray FakeShell::receiveLine()
{
    if (!QTest::qWaitFor([this] { return _received.contains("\r\n"); }, waitLimitMs))
        return QByteArray();
    const int end = _received.indexOf("\r\n");
    const QByteArray line = _received.left(end);
    _received.remove(0, end + 2);
    return line;
}

bool FakeShell::login(const QByteArray& user, const QByteArray& password)
{
    if (!waitForPeer())
        return false;
    send("\r\nrobot login: ");
    if (receiveLine() != user)
        return false;
    send("Password: ");
    if (receiveLine() != password)
        return false;
    send("\r\nWelcome\r\ntavik@robot:~$ ");
    return true;
}

void FakeShell::close()
{
    _peer->disconnectFromHost();
}

bool FakeShell::waitForPeerClosed()
{
    return QTest::qWaitFor([this] { return _peerClosed; }, waitLimitMs);
}
