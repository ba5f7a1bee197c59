#pragma once

#include <tavview/uploader/FtpEntry.h>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <atomic>
#include <memory>

class QThread;

namespace tavview::uploader {

// Lists a robot folder over FTP with libcurl on a worker thread, so the GUI never waits for
// the robot. MLSD where the server offers it, LIST otherwise (remembered per server).
class FtpLister : public QObject
{
    Q_OBJECT

public:
    explicit FtpLister(QObject* parent = nullptr);
    // Stops a listing still running and waits for its thread.
    ~FtpLister() override;

    // folder: an ftp URL with user name and password whose path is the folder's absolute path.
    // A listing still running is abandoned: only the newest one reports.
    void list(const QUrl& folder);
    // How long connecting, and each answer of the server, may take.
    void setTimeout(int ms);

    static constexpr int defaultTimeoutMs = 15000;

signals:
    void listed(const QUrl& folder, const tavview::uploader::FtpEntries& entries);
    void failed(const QUrl& folder, const QString& reason);

private:
    struct Outcome;
    void deliver(quint64 generation, const QUrl& folder, const Outcome& outcome);
    void cancelRunning();

    QList<QThread*> _workers;                  // the newest last; older ones are cancelled and ending
    std::shared_ptr<std::atomic_bool> _cancel; // the newest listing's
    quint64 _generation = 0;
    int _timeoutMs = defaultTimeoutMs;
    QHash<QString, bool> _withoutMlsd; // per "host:port"
};

} // namespace tavview::uploader
