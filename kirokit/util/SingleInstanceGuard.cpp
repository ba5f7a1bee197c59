#include <util/SingleInstanceGuard.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace util {

SingleInstanceGuard::SingleInstanceGuard(const QString& key, QObject* parent)
    : QObject(parent), _key(key), _lockPath(QDir(QDir::tempPath()).filePath(key + QStringLiteral(".lock")))
{
    if (tryLock())
        listen();
}

// The file stays: removing it would let a process that opened it meanwhile lock a file that a
// third one no longer finds, and both would be the instance.
SingleInstanceGuard::~SingleInstanceGuard()
{
    if (_lockFd >= 0)
        ::close(_lockFd);
}

bool SingleInstanceGuard::tryLock()
{
    if (_locked)
        return true;
    if (_lockFd < 0) {
        const QByteArray path = QFile::encodeName(_lockPath);
        _lockFd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        // Someone else's file can still be locked, only not written.
        if (_lockFd < 0)
            _lockFd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (_lockFd < 0)
            return false;
    }
    if (::flock(_lockFd, LOCK_EX | LOCK_NB) != 0)
        return false;
    _locked = true;
    // For whoever looks: the instance's process id.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(_lockFd, 0) == 0 &&
        ::pwrite(_lockFd, pid.constData(), static_cast<size_t>(pid.size()), 0) < 0)
        qWarning("Single-instance lock %s: cannot write the process id", qPrintable(_lockPath));
    return true;
}

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
        if (tryLock()) {
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
