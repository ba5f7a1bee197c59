#include <util/SingleInstanceGuard.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace util {

SingleInstanceGuard::SingleInstanceGuard(const QString& key, QObject* parent)
    : QObject(parent), _key(key), _lock(QDir(QDir::tempPath()).filePath(key + QStringLiteral(".lock")))
{
    // A lock is stale only when its process is gone, never because of its age: an instance
    // may run for days.
    _lock.setStaleLockTime(0);
    if (_lock.tryLock(0))
        listen();
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::keyForExecutable(const QString& filePath)
{
    const QByteArray hash = QCryptographicHash::hash(filePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("%1-%2").arg(QFileInfo(filePath).fileName(), QString::fromLatin1(hash.left(16)));
}

bool SingleInstanceGuard::sendMessage(const QString& message, int timeoutMs)
{
    if (isPrimary())
        return false;

    // The instance may hold the lock but not listen yet: retry until the time-out.
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(_key);
        if (socket.waitForConnected(qMax<qint64>(0, timeoutMs - clock.elapsed())))
            break;
        if (_lock.tryLock(0)) {
            listen(); // the instance has ended meanwhile: this process takes its place
            return false;
        }
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(20);
    }
    socket.write(message.toUtf8() + '\n');
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(qMax<qint64>(0, timeoutMs - clock.elapsed())))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

void SingleInstanceGuard::listen()
{
    // Holding the lock means no live instance owns the socket: a leftover one is stale.
    QLocalServer::removeServer(_key);
    auto server = std::make_unique<QLocalServer>(this);
    if (!server->listen(_key)) {
        qWarning("Single-instance socket %s: %s", qPrintable(_key), qPrintable(server->errorString()));
        return;
    }
    _server = server.release();
    connect(_server, &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptConnections);
}

void SingleInstanceGuard::acceptConnections()
{
    while (QLocalSocket* socket = _server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine())
                emit messageReceived(QString::fromUtf8(socket->readLine()).chopped(1));
        });
    }
}

} // namespace util
