#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>

namespace util {

// Lets one process per key be "the" instance. The first process locks a lock file and listens
// on a local socket; later processes find the lock taken and can send the running instance a
// message. The lock, not the socket, decides who is first, so two processes starting together
// never both become the instance, and a crashed instance's stale socket is cleared safely.
// The lock is the kernel's lock on the open file, which ends with its process: a lock file that
// no live process holds, whatever it contains or whoever left it, is taken over at once.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstanceGuard(const QString& key, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // The key an application uses: derived from its executable's path.
    static QString keyForExecutable(const QString& filePath);

    bool isPrimary() const { return _locked; }

    // Delivers the message to the running instance. False when this process is the instance
    // itself or no instance took the message within the time-out.
    bool sendMessage(const QString& message, int timeoutMs);

signals:
    void messageReceived(const QString& message);

private:
    bool tryLock();
    void listen();
    void acceptConnections();

    const QString _key;
    const QString _lockPath;
    int _lockFd = -1;
    bool _locked = false;
    QLocalServer* _server = nullptr;
};

} // namespace util
