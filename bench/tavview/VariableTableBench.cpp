// A remote run that prints 1,000 global variables every 100 ms, started from the upload view
// (tavview::uploader::View, on screen) as a click in its folder view starts it, read by its
// Telnet over a real loopback connection and shown in its variable table: the CPU time of the
// GUI thread over the run, and whether every row was updated in place.
//
//   QT_QPA_PLATFORM=offscreen build/bin/variable_table_bench [seconds] [variables] [interval ms]
#include <tavview/uploader/FtpView.h>
#include <tavview/uploader/View.h>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

double threadCpuSeconds()
{
    rusage usage = {};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool readLine(int fd)
{
    char c = 0;
    while (read(fd, &c, 1) == 1) {
        if (c == '\n')
            return true;
    }
    return false;
}

void sendAll(int fd, const std::string& text)
{
    size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

// The robot's shell: a login, then the interpreter's variable lines at the interval.
void serveShell(int listener, int variables, int intervalMs, const std::atomic_bool& stop)
{
    const int fd = accept(listener, nullptr, nullptr);
    if (fd < 0)
        return;
    sendAll(fd, "robot login: ");
    readLine(fd);
    sendAll(fd, "Password: ");
    readLine(fd);
    sendAll(fd, "\r\ntavik@robot:~$ ");
    readLine(fd); // the command line
    for (int tick = 0; !stop; ++tick) {
        std::string block;
        for (int i = 0; i < variables; ++i)
            block += "## var" + std::to_string(i) + ";;" + std::to_string(tick * 0.5 + i) + " ##\r\n";
        sendAll(fd, block);
        std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
    }
    close(fd);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int variables = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int intervalMs = argc > 3 ? std::atoi(argv[3]) : 100;

    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    listen(listener, 1);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::atomic_bool stop{false};
    std::thread shell(serveShell, listener, variables, intervalMs, std::cref(stop));

    // No FTP server: the view's folder listing fails at once and leaves the run alone.
    QSettings().setValue(QStringLiteral("ftp/port"), 1);
    QSettings().setValue(QStringLiteral("remote-execution-debug-interval"), intervalMs);
    tavview::uploader::View view(nullptr);
    view.resize(900, 700);
    view.on_ipAddressChanged(QStringLiteral("127.0.0.1:%1").arg(ntohs(address.sin_port)));
    view.show();
    auto* upload = view.findChild<QAction*>(QStringLiteral("uploadAction"));
    while (!upload->isEnabled())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    auto* table = view.findChild<QTableWidget*>(QStringLiteral("variableTable"));

    long updates = 0;
    QObject::connect(table->model(), &QAbstractItemModel::dataChanged, [&] { ++updates; });
    double cpuAtStart = 0;
    QElapsedTimer wall;
    // Measured from the first row on: the login is not the table's work.
    QObject::connect(table->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (wall.isValid())
            return;
        cpuAtStart = threadCpuSeconds();
        wall.start();
        QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    });
    QUrl program(QStringLiteral("ftp://127.0.0.1/home/tavik/bench.tkp2"));
    emit view.findChild<tavview::uploader::FtpView*>()->programClicked(program);
    app.exec();
    const double cpu = threadCpuSeconds() - cpuAtStart;
    const double elapsed = wall.nsecsElapsed() / 1e9;
    stop = true;
    shutdown(listener, SHUT_RDWR);
    shell.join();
    close(listener);

    const int rows = table->rowCount();
    std::printf("%d variables every %d ms for %.1f s: %ld updates (%.0f/s), %d rows\n", variables, intervalMs,
                elapsed, updates, updates / elapsed, rows);
    std::printf("GUI thread: %.2f s CPU = %.1f %% of one core\n", cpu, 100.0 * cpu / elapsed);
    return rows == variables ? 0 : 1;
}
