#include <tavview/uploader/FtpUpload.h>
#include <tavview/uploader/RobotFtp.h>
#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace tavview::uploader {

FtpUpload::FtpUpload(QObject* parent)
    : QObject(parent), _network(new QNetworkAccessManager(this)), _stallTimer(new QTimer(this))
{
    // The FTP put has no time-out of its own: a server that accepts and never answers would
    // hold the transfer for ever.
    _stallTimer->setSingleShot(true);
    connect(_stallTimer, &QTimer::timeout, this, &FtpUpload::onStalled);
}

FtpUpload::~FtpUpload()
{
    abort();
}

void FtpUpload::setStallTimeout(int ms)
{
    _stallTimeoutMs = ms;
}

QNetworkReply* FtpUpload::start(const QUrl& target, const QByteArray& bytes)
{
    abort();
    _target = target;
    _stalled = false;
    _data = new QBuffer(this);
    _data->setData(bytes);
    _data->open(QIODevice::ReadOnly);
    _reply = _network->put(QNetworkRequest(target), _data);
    connect(_reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
        _stallTimer->start(_stallTimeoutMs);
        emit progress(sent, total);
    });
    connect(_reply, &QNetworkReply::finished, this, &FtpUpload::onReplyFinished);
    _stallTimer->start(_stallTimeoutMs);
    return _reply;
}

void FtpUpload::abort()
{
    if (!_reply)
        return;
    _reply->disconnect(this);
    _reply->abort();
    finish();
}

void FtpUpload::onStalled()
{
    if (!_reply)
        return;
    _stalled = true;
    // abort() finishes the reply at once, which reports it.
    _reply->abort();
}

void FtpUpload::onReplyFinished()
{
    const QNetworkReply::NetworkError error = _reply->error();
    const QString fileName = _target.fileName(QUrl::FullyDecoded);
    QString reason;
    if (_stalled) {
        reason = tr("No answer from %1 for %2 s").arg(_target.host()).arg(_stallTimeoutMs / 1000.0);
    } else if (error != QNetworkReply::NoError) {
        reason = withoutPasswords(_reply->errorString());
    }
    finish();
    if (reason.isEmpty())
        emit succeeded(fileName);
    else
        emit failed(reason);
}

void FtpUpload::finish()
{
    _stallTimer->stop();
    _reply->deleteLater();
    _reply = nullptr;
    _data->deleteLater();
    _data = nullptr;
}

} // namespace tavview::uploader
