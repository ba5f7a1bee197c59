#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// A program under test that keeps running while the test watches its output, interrupts it
// and waits for its end. Every wait has a bound, so a hung program fails the test.
class RunningProcess
{
public:
    RunningProcess(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    ~RunningProcess();

    bool started() const { return _started; }

    // Waits until standard output contains text; false when the program ended or time ran out
    // first.
    bool waitForOutput(const QString& text, int timeoutMs = 60000);

    // Sends SIGINT, as Ctrl+C in a terminal does.
    void interrupt();
    void sendSignal(int signal);

    // Waits for the end; false when it did not come in time (the program is then killed).
    bool waitForExit(int timeoutMs = 60000);

    int exitCode() const { return _process.exitCode(); }
    bool crashed() const { return _process.exitStatus() == QProcess::CrashExit; }
    const QString& out();
    const QString& err();

private:
    void collect();

    QProcess _process;
    bool _started = false;
    QString _out;
    QString _err;
};

} // namespace testsupport
