#include "RunningProcess.h"

#include "SanitizerReport.h"

#include <QDeadlineTimer>

#include <signal.h>

namespace testsupport {

RunningProcess::RunningProcess(const QString& program, const QStringList& arguments,
                               const QProcessEnvironment& environment)
{
    _process.setProcessEnvironment(environment);
    _process.start(program, arguments);
    _started = _process.waitForStarted(30000);
}

RunningProcess::~RunningProcess()
{
    if (_process.state() != QProcess::NotRunning) {
        _process.kill();
        _process.waitForFinished(30000);
    }
    collect();
    expectNoSanitizerReport(_process.program(), _err);
}

bool RunningProcess::waitForOutput(const QString& text, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        collect();
        if (_out.contains(text))
            return true;
        if (_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        _process.waitForReadyRead(static_cast<int>(qMin<qint64>(100, deadline.remainingTime())));
    }
}

void RunningProcess::interrupt()
{
    sendSignal(SIGINT);
}

void RunningProcess::sendSignal(int signal)
{
    if (_process.state() != QProcess::NotRunning)
        ::kill(static_cast<pid_t>(_process.processId()), signal);
}

bool RunningProcess::waitForExit(int timeoutMs)
{
    const bool finished = _process.state() == QProcess::NotRunning || _process.waitForFinished(timeoutMs);
    if (!finished) {
        _process.kill();
        _process.waitForFinished(30000);
    }
    collect();
    return finished;
}

const QString& RunningProcess::out()
{
    collect();
    return _out;
}

const QString& RunningProcess::err()
{
    collect();
    return _err;
}

void RunningProcess::collect()
{
    _out += QString::fromLocal8Bit(_process.readAllStandardOutput());
    _err += QString::fromLocal8Bit(_process.readAllStandardError());
}

} // namespace testsupport
