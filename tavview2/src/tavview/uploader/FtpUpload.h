#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QBuffer;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace tavview::uploader {

// Stores bytes on the robot over FTP. The transfer runs in a QNetworkReply (the transfer reply)
// that the caller may watch as well. A transfer that makes no progress for the stall time is
// aborted; failures arrive as texts without any password.
class FtpUpload : public QObject
{
    Q_OBJECT

public:
    explicit FtpUpload(QObject* parent = nullptr);
    ~FtpUpload() override;

    // Milliseconds without progress after which a transfer is given up.
    void setStallTimeout(int ms);
    int stallTimeout() const { return _stallTimeoutMs; }

    // Starts storing the bytes at the URL (user name and password in the URL); an earlier
    // transfer still running is aborted first, silently. Returns the transfer reply, owned
    // here until the transfer ends.
    QNetworkReply* start(const QUrl& target, const QByteArray& bytes);
    // Gives up the running transfer without reporting it.
    void abort();
    bool isRunning() const { return _reply != nullptr; }

    static constexpr int defaultStallTimeoutMs = 30000;

signals:
    void progress(qint64 sent, qint64 total);
    // fileName: the last part of the target's path.
    void succeeded(const QString& fileName);
    void failed(const QString& reason);

private:
    void onReplyFinished();
    void onStalled();
    void finish();

    QNetworkAccessManager* _network;
    QTimer* _stallTimer;
    QNetworkReply* _reply = nullptr;
    QBuffer* _data = nullptr;
    QUrl _target;
    int _stallTimeoutMs = defaultStallTimeoutMs;
    bool _stalled = false;
};

} // namespace tavview::uploader
