// Feeds a recorded interpreter output of 1,000,000 lines to Telnet's parser in the chunks the
// telnet client delivers (whole lines, up to one 4 KiB socket read each) and reports lines per
// second. Usage: telnet_parser_bench [recording]; without a recording, one is made up the way
// tavview_interpreter prints its run.

#include <tavview/Telnet.h>
#include <tavview/TelnetClient.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

// The machine may be shared: CPU time of this thread shows the parser's own cost.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

constexpr int lineCount = 1000000;
constexpr int readSize = 4096;

QByteArray interpreterRun()
{
    static const char* const names[] = {"angle",      "distance", "gear",  "lightLeft",
                                        "lightRight", "speed",    "state", "x"};
    QByteArray output = "TavikView Interpreter Version 3.3.1\n\n"
                        "Loading types... done.\nLoading units... done.\nLoading devices... done.\n"
                        "Opening project /home/tavik/robot/follow.tkp2... done.\n"
                        "Connecting device Tavik... done.\nStarting program... done.\n";
    int lines = 8;
    for (int tick = 0; lines < lineCount - 3; ++tick) {
        for (const char* name : names) {
            if (lines == lineCount - 3)
                break;
            output += "## ";
            output += name;
            output += ";;";
            output += QByteArray::number(tick % 7 == 0 ? tick * 0.25 : double(tick % 1000));
            output += " ##\n";
            ++lines;
        }
    }
    output += "Ctrl + C has been hit. Program will be terminated.\nTerminating program... done.\nSend SIG2 "
              "to lcdd.\n";
    return output;
}

// Whole lines per socket read, as TelnetClient passes them on.
QStringList socketChunks(const QString& output)
{
    QStringList chunks;
    int start = 0;
    while (start < output.size()) {
        int end = output.lastIndexOf(QLatin1Char('\n'), std::min(start + readSize, int(output.size())) - 1);
        if (end < start)
            end = output.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = output.size() - 1;
        chunks.append(output.mid(start, end - start + 1));
        start = end + 1;
    }
    return chunks;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QCoreApplication application(argc, argv);
    // The parser's echo of every chunk to the debug channel is switched off; the debug log file stays.
    QLoggingCategory::setFilterRules(QStringLiteral("tavview.telnet.debug=false"));

    QByteArray recording;
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "Cannot read %s\n", argv[1]);
            return 1;
        }
        recording = file.readAll();
    } else {
        recording = interpreterRun();
    }
    const QStringList chunks = socketChunks(QString::fromUtf8(recording));
    const int lines = recording.count('\n');
    const int variableLines = recording.count(";;");

    tavview::Telnet telnet(nullptr, false);
    int variables = 0;
    int versions = 0;
    int stops = 0;
    int messages = 0;
    QObject::connect(&telnet, &tavview::Telnet::globalVariableReceived, [&] { ++variables; });
    QObject::connect(&telnet, &tavview::Telnet::interpreterVersionReceived, [&] { ++versions; });
    QObject::connect(&telnet, &tavview::Telnet::interpreterStopped, [&] { ++stops; });
    QObject::connect(&telnet, &tavview::Telnet::message, [&] { ++messages; });
    auto* client = telnet.findChild<tavview::TelnetClient*>(QStringLiteral("telnet"));

    QElapsedTimer clock;
    clock.start();
    const double cpuStart = threadCpuSeconds();
    for (const QString& chunk : chunks)
        emit client->message(chunk);
    const double cpuSeconds = threadCpuSeconds() - cpuStart;
    const double seconds = clock.nsecsElapsed() / 1e9;

    std::printf("%d lines in %d chunks: %.3f s, %.0f lines/s (CPU time %.3f s, %.0f lines/s)\n", lines,
                int(chunks.size()), seconds, lines / seconds, cpuSeconds, lines / cpuSeconds);
    std::printf("events: %d variables (of %d variable lines), %d versions, %d stops, %d chunks passed on\n",
                variables, variableLines, versions, stops, messages);
    return variables == variableLines ? 0 : 1;
}
