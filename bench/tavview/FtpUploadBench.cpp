// Upload of a large project to a loopback FTP server through the upload view (the user's road:
// device check, robot-side copy written to memory, FTP store until the view logs "Uploaded"),
// through FtpUpload alone (the transfer), and through `curl -T` of the very bytes the view
// stored, alternating, in one run.
//
//   QT_QPA_PLATFORM=offscreen build/bin/ftp_upload_bench PROJECT.tkp2 [runs]
//       starts its own pyftpdlib server
//   QT_QPA_PLATFORM=offscreen build/bin/ftp_upload_bench PROJECT.tkp2 runs 127.0.0.1 PORT USER PASSWORD DIR
//       an existing server (e.g. the rig's vsftpd), storing into DIR (a folder below /home/tavik/)
//
// PROJECT: e.g. python3 bench/project_load/generate_project.py /tmp/large.tkp2 --variables 10000 --programs
// 2400
#include <tavview/LogList.h>
#include <tavview/uploader/FtpUpload.h>
#include <tavview/uploader/FtpView.h>
#include <tavview/uploader/View.h>

#include <lumlink/Singletons.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSettings>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

// CPU time of the calling thread: on a shared machine the wall clock also counts waiting for a core.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

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

// Runs the event loop until the condition holds; false after the limit. The condition is looked
// at after every batch of events: processEvents with a time limit would go on dispatching for up
// to that long after it holds, and spin while nothing happens.
bool waitFor(const std::function<bool()>& done, int limitMs = 120000)
{
    QElapsedTimer timer;
    timer.start();
    QTimer wake;
    wake.start(50);
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Each run's line shows as it ends.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: ftp_upload_bench PROJECT.tkp2 [runs [ADDRESS PORT USER PASSWORD DIR]]\n");
        return 2;
    }
    const QString projectPath = QFileInfo(args.at(1)).absoluteFilePath();
    const int runs = args.size() > 2 ? args.at(2).toInt() : 7;

    QTemporaryDir work;
    QString host = QStringLiteral("127.0.0.1");
    int port = 0;
    QString user = QStringLiteral("tavik");
    QString password = QStringLiteral("bench-password");
    QString folder = QStringLiteral("/home/tavik/");
    QProcess server;
    if (args.size() >= 8) {
        host = args.at(3);
        port = args.at(4).toInt();
        user = args.at(5);
        password = args.at(6);
        folder = args.at(7);
    } else {
        QDir().mkpath(work.filePath(QStringLiteral("home/tavik")));
        QTcpSocket reserve;
        reserve.bind(QHostAddress(QHostAddress::LocalHost), 0);
        port = reserve.localPort();
        reserve.close();
        server.start(QStringLiteral("/usr/bin/python3"),
                     {"-m", "pyftpdlib", "-i", "127.0.0.1", "-p", QString::number(port), "-u", user, "-P",
                      password, "-d", work.path(), "-w"});
        if (!server.waitForStarted() || !waitForServer(port)) {
            std::fprintf(stderr, "pyftpdlib did not start\n");
            return 1;
        }
    }
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QSettings settings;
    settings.setValue(QStringLiteral("telnet/user"), user);
    settings.setValue(QStringLiteral("telnet/password"), password);
    settings.setValue(QStringLiteral("ftp/port"), port);

    QDir::setCurrent(QCoreApplication::applicationDirPath());
    lumlink::readIni(QStringLiteral("tavview2.ini"));
    lumlink::singletons_init(nullptr);
    lumlink::loadSystem(3);
    QMap<int, QString> programs;
    int tab = -1;
    lumlink::project::Project* project =
        lumlink::project::Manager::singleton().createProjectFromFile(QFileInfo(projectPath), &programs, &tab);
    if (!project) {
        std::fprintf(stderr, "%s could not be opened\n", qPrintable(projectPath));
        return 1;
    }

    // Gone before the workbench library it stands on.
    auto owner = std::make_unique<tavview::uploader::View>(nullptr);
    tavview::uploader::View& view = *owner;
    view.resize(900, 600);
    view.on_ipAddressChanged(host);
    view.show();
    auto* log = view.findChild<tavview::LogList*>();
    auto* upload = view.findChild<QAction*>(QStringLiteral("uploadAction"));
    if (!waitFor([&] { return upload->isEnabled(); })) {
        std::fprintf(stderr, "the folder view did not list %s\n", qPrintable(folder));
        return 1;
    }
    // Into the benchmark's folder, as a user opening it in the folder view.
    QUrl folderUrl(QStringLiteral("ftp://%1").arg(host));
    folderUrl.setPath(folder);
    emit view.findChild<tavview::uploader::FtpView*>()->dirClicked(folderUrl);
    if (!waitFor([&] { return upload->isEnabled(); }))
        return 1;

    const QString fileName = QFileInfo(projectPath).fileName();
    const QString uploadedText = QStringLiteral("Uploaded %1.").arg(fileName);
    QString stored;
    std::vector<double> viewRates;
    std::vector<double> transferRates;
    std::vector<double> curlRates;
    std::vector<double> writeSeconds;
    std::vector<double> writeCpuSeconds;
    qint64 size = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        // The road ends as the view logs its outcome, whatever it goes on to do in the same slot.
        double viewSeconds = 0;
        bool uploaded = false;
        const QMetaObject::Connection logged =
            QObject::connect(log->model(), &QAbstractItemModel::rowsInserted, [&] {
                const QString text = log->currentText();
                if (viewSeconds > 0 ||
                    !(text.startsWith(uploadedText) || text.startsWith(QLatin1String("Upload of"))))
                    return;
                viewSeconds = timer.nsecsElapsed() / 1e9;
                uploaded = text.startsWith(uploadedText);
            });
        upload->trigger();
        const bool ended = waitFor([&] { return viewSeconds > 0; });
        QObject::disconnect(logged);
        if (!ended || !uploaded) {
            std::fprintf(stderr, "upload through the view failed: %s\n", qPrintable(log->currentText()));
            return 1;
        }
        waitFor([&] { return upload->isEnabled(); }); // the folder view's refresh

        // The bytes the view stored: the same file for the transfer alone and for curl.
        if (stored.isEmpty()) {
            stored = work.filePath(QStringLiteral("stored.tkp2"));
            QProcess fetch;
            fetch.start(QStringLiteral("curl"), {"-sS", "--user", user + ":" + password, "-o", stored,
                                                 QStringLiteral("ftp://%1:%2/%3%4")
                                                     .arg(host)
                                                     .arg(port)
                                                     .arg("%2F" + folder.mid(1), fileName)});
            fetch.waitForFinished(-1);
            size = QFileInfo(stored).size();
            if (size == 0) {
                std::fprintf(stderr, "stored file not read back\n");
                return 1;
            }
        }
        viewRates.push_back(size / viewSeconds / 1e6);

        QFile file(stored);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        tavview::uploader::FtpUpload transfer;
        QUrl target(QStringLiteral("ftp://%1:%2").arg(host).arg(port));
        target.setPath(folder + QStringLiteral("bench-transfer.tkp2"));
        target.setUserName(user);
        target.setPassword(password);
        bool ok = false;
        QEventLoop loop;
        QObject::connect(&transfer, &tavview::uploader::FtpUpload::succeeded, &loop, [&] {
            ok = true;
            loop.quit();
        });
        QObject::connect(&transfer, &tavview::uploader::FtpUpload::failed, &loop, &QEventLoop::quit);
        timer.restart();
        transfer.start(target, bytes);
        loop.exec();
        if (!ok)
            return 1;
        transferRates.push_back(size / (timer.nsecsElapsed() / 1e9) / 1e6);

        // The part of the view's road before the transfer: the project written to memory.
        const double cpuBefore = threadCpuSeconds();
        timer.restart();
        if (project->saveToMem().isEmpty())
            return 1;
        writeSeconds.push_back(timer.nsecsElapsed() / 1e9);
        writeCpuSeconds.push_back(threadCpuSeconds() - cpuBefore);

        QProcess curl;
        timer.restart();
        curl.start(
            QStringLiteral("curl"),
            {"-sS", "--user", user + ":" + password, "-T", stored,
             QStringLiteral("ftp://%1:%2/%3bench-curl.tkp2").arg(host).arg(port).arg("%2F" + folder.mid(1))});
        curl.waitForFinished(-1);
        const double curlSeconds = timer.nsecsElapsed() / 1e9;
        if (curl.exitCode() != 0) {
            std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
            return 1;
        }
        curlRates.push_back(size / curlSeconds / 1e6);
        std::printf("run %d: view %.1f MB/s, FtpUpload %.1f MB/s, curl -T %.1f MB/s\n", run + 1,
                    viewRates.back(), transferRates.back(), curlRates.back());
    }
    std::printf("%.1f MB, median of %d: view %.1f MB/s (%.0f %% of curl), FtpUpload %.1f MB/s, "
                "curl -T %.1f MB/s (process start included); FtpUpload %.0f %% of curl; writing the project "
                "to memory %.2f s (CPU %.0f ms)\n",
                size / 1e6, runs, median(viewRates), 100.0 * median(viewRates) / median(curlRates),
                median(transferRates), median(curlRates), 100.0 * median(transferRates) / median(curlRates),
                median(writeSeconds), 1e3 * median(writeCpuSeconds));
    if (server.state() != QProcess::NotRunning) {
        server.kill();
        server.waitForFinished();
    }
    owner.reset();
    lumlink::project::Manager::singleton().closeProject();
    lumlink::singletons_done();
    return 0;
}
