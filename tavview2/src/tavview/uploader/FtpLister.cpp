#include <tavview/uploader/FtpLister.h>
#include <tavview/uploader/FtpListingParser.h>
#include <tavview/uploader/RobotFtp.h>
#include <QThread>
#include <curl/curl.h>
#include <algorithm>
#include <mutex>
#include <string>

namespace tavview::uploader {

namespace {

// A folder listing larger than this is no robot folder.
constexpr qsizetype maxListingBytes = 16 * 1024 * 1024;

struct Request
{
    std::string url;
    std::string user;
    std::string password;
    bool mlsd = true;
    long timeoutMs = FtpLister::defaultTimeoutMs;
    std::shared_ptr<std::atomic_bool> cancel;
};

struct Transfer
{
    QByteArray body;
    CURLcode code = CURLE_OK;
    std::string error;
};

size_t collect(char* data, size_t size, size_t count, void* userData)
{
    auto* body = static_cast<QByteArray*>(userData);
    const size_t bytes = size * count;
    if (body->size() + static_cast<qsizetype>(bytes) > maxListingBytes)
        return 0; // ends the transfer with a write error
    body->append(data, static_cast<int>(bytes));
    return bytes;
}

int checkCancel(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<std::atomic_bool*>(userData)->load() ? 1 : 0;
}

Transfer fetch(const Request& request, bool mlsd)
{
    Transfer transfer;
    CURL* curl = curl_easy_init();
    if (!curl) {
        transfer.code = CURLE_FAILED_INIT;
        return transfer;
    }
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERNAME, request.user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, request.password.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, request.timeoutMs);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, std::max(1L, (request.timeoutMs + 999) / 1000));
    // A data connection that stops moving is given up as well.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max(1L, (request.timeoutMs + 999) / 1000));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer.body);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &checkCancel);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, request.cancel.get());
    if (mlsd)
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "MLSD");
    transfer.code = curl_easy_perform(curl);
    transfer.error = error[0] ? std::string(error) : std::string(curl_easy_strerror(transfer.code));
    curl_easy_cleanup(curl);
    return transfer;
}

// The server's answer to MLSD when it does not know the command.
bool mlsdRefused(CURLcode code)
{
    return code == CURLE_FTP_COULDNT_RETR_FILE || code == CURLE_QUOTE_ERROR ||
           code == CURLE_FTP_WEIRD_SERVER_REPLY;
}

// curl reads a path below the login folder unless its first slash is encoded.
std::string curlFolderUrl(const QUrl& folder)
{
    QString path = folder.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    const QByteArray encoded = QUrl::toPercentEncoding(path, "/");
    const int port = folder.port(21);
    return QStringLiteral("ftp://%1:%2/%3")
        .arg(folder.host(QUrl::FullyEncoded))
        .arg(port)
        .arg(QString::fromLatin1(path.startsWith(QLatin1Char('/')) ? "%2F" + encoded.mid(1) : encoded))
        .toStdString();
}

} // namespace

struct FtpLister::Outcome
{
    bool ok = false;
    bool usedList = false;
    QByteArray body;
    QString error;
};

FtpLister::FtpLister(QObject* parent) : QObject(parent)
{
    // libcurl's global set-up is not thread-safe: once, before any worker.
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    qRegisterMetaType<tavview::uploader::FtpEntries>("tavview::uploader::FtpEntries");
}

FtpLister::~FtpLister()
{
    cancelRunning();
    for (QThread* worker : qAsConst(_workers)) {
        worker->wait();
        delete worker;
    }
}

void FtpLister::setTimeout(int ms)
{
    _timeoutMs = ms;
}

void FtpLister::cancelRunning()
{
    if (_cancel)
        _cancel->store(true);
}

void FtpLister::list(const QUrl& folder)
{
    cancelRunning();
    const quint64 generation = ++_generation;
    _cancel = std::make_shared<std::atomic_bool>(false);

    Request request;
    request.url = curlFolderUrl(folder);
    request.user = folder.userName(QUrl::FullyDecoded).toStdString();
    request.password = folder.password(QUrl::FullyDecoded).toStdString();
    const QString server = QStringLiteral("%1:%2").arg(folder.host()).arg(folder.port(21));
    request.mlsd = !_withoutMlsd.value(server);
    request.timeoutMs = _timeoutMs;
    request.cancel = _cancel;

    QThread* worker = QThread::create([this, request, generation, folder] {
        Outcome outcome;
        Transfer transfer = fetch(request, request.mlsd);
        if (request.mlsd && mlsdRefused(transfer.code) && !request.cancel->load()) {
            outcome.usedList = true;
            transfer = fetch(request, false);
        } else {
            outcome.usedList = !request.mlsd;
        }
        outcome.ok = transfer.code == CURLE_OK;
        outcome.body = std::move(transfer.body);
        outcome.error = QString::fromStdString(transfer.error);
        QMetaObject::invokeMethod(
            this, [this, generation, folder, outcome] { deliver(generation, folder, outcome); },
            Qt::QueuedConnection);
    });
    connect(worker, &QThread::finished, this, [this, worker] {
        _workers.removeOne(worker);
        worker->deleteLater();
    });
    _workers.append(worker);
    worker->start();
}

void FtpLister::deliver(quint64 generation, const QUrl& folder, const Outcome& outcome)
{
    if (generation != _generation)
        return;
    _cancel.reset();
    const QString server = QStringLiteral("%1:%2").arg(folder.host()).arg(folder.port(21));
    if (!outcome.ok) {
        emit failed(folder, withoutPasswords(outcome.error));
        return;
    }
    if (outcome.usedList) {
        _withoutMlsd.insert(server, true);
        emit listed(folder, FtpListingParser::parseList(outcome.body, QDateTime::currentDateTimeUtc()));
    } else {
        emit listed(folder, FtpListingParser::parseMlsd(outcome.body));
    }
}

} // namespace tavview::uploader
