// Upload of a 10 MB project to a loopback FTP server through FtpUpload (QNetworkAccessManager's
// FTP put) against `curl -T` of the same file to the same server, alternating, in one run.
//
//   build/bin/ftp_upload_bench [runs]                         starts its own pyftpdlib server
//   build/bin/ftp_upload_bench runs ADDRESS USER PASSWORD DIR  an existing server (e.g. the rig's
//                                                              vsftpd), storing into DIR
#include <tavview/uploader/FtpUpload.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int fileSize = 10 * 1024 * 1024;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool waitForServer(int port)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
        if (probe.waitForConnected(500))
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = args.size() > 1 ? args.at(1).toInt() : 7;

    QTemporaryDir work;
    QString address;
    QString user = QStringLiteral("tavik");
    QString password = QStringLiteral("bench-password");
    QString folder = QStringLiteral("/");
    QProcess server;
    if (args.size() >= 6) {
        address = args.at(2);
        user = args.at(3);
        password = args.at(4);
        folder = args.at(5);
    } else {
        QTcpSocket reserve;
        reserve.bind(QHostAddress(QHostAddress::LocalHost), 0);
        const int port = reserve.localPort();
        reserve.close();
        server.start(QStringLiteral("/usr/bin/python3"),
                     {"-m", "pyftpdlib", "-i", "127.0.0.1", "-p", QString::number(port), "-u", user, "-P",
                      password, "-d", work.path(), "-w"});
        if (!server.waitForStarted() || !waitForServer(port)) {
            std::fprintf(stderr, "pyftpdlib did not start\n");
            return 1;
        }
        address = QStringLiteral("127.0.0.1:%1").arg(port);
    }
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    QByteArray bytes(fileSize, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
    const QString localFile = work.filePath(QStringLiteral("source.tkpx"));
    {
        QFile file(localFile);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    std::vector<double> ours;
    std::vector<double> curl;
    tavview::uploader::FtpUpload upload;
    for (int run = 0; run < runs; ++run) {
        QUrl target(QStringLiteral("ftp://%1").arg(address));
        target.setPath(folder + QStringLiteral("bench-ours.tkpx"));
        target.setUserName(user);
        target.setPassword(password);
        QEventLoop loop;
        bool ok = false;
        QObject::connect(&upload, &tavview::uploader::FtpUpload::succeeded, &loop, [&] {
            ok = true;
            loop.quit();
        });
        QObject::connect(&upload, &tavview::uploader::FtpUpload::failed, &loop, [&](const QString& reason) {
            std::fprintf(stderr, "upload failed: %s\n", qPrintable(reason));
            loop.quit();
        });
        QElapsedTimer timer;
        timer.start();
        upload.start(target, bytes);
        loop.exec();
        const double oursSeconds = timer.nsecsElapsed() / 1e9;
        if (!ok)
            return 1;
        ours.push_back(fileSize / oursSeconds / 1e6);

        QProcess process;
        timer.restart();
        process.start(QStringLiteral("curl"),
                      {"-sS", "--user", user + ":" + password, "-T", localFile,
                       QStringLiteral("ftp://%1/%2bench-curl.tkpx")
                           .arg(address, folder.startsWith('/') ? "%2F" + folder.mid(1) : folder)});
        process.waitForFinished(-1);
        const double curlSeconds = timer.nsecsElapsed() / 1e9;
        if (process.exitCode() != 0) {
            std::fprintf(stderr, "curl failed: %s\n", process.readAllStandardError().constData());
            return 1;
        }
        curl.push_back(fileSize / curlSeconds / 1e6);
        std::printf("run %d: FtpUpload %.1f MB/s, curl -T %.1f MB/s\n", run + 1, ours.back(), curl.back());
    }
    std::printf(
        "median of %d: FtpUpload %.1f MB/s, curl -T %.1f MB/s (process start included), ratio %.0f %%\n",
        runs, median(ours), median(curl), 100.0 * median(ours) / median(curl));
    if (server.state() != QProcess::NotRunning) {
        server.kill();
        server.waitForFinished();
    }
    return 0;
}
