#include "ProcessResult.h"

#include "SanitizerReport.h"

#include <QProcess>

namespace testsupport {

ProcessResult runProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment, const QString& workingDirectory,
                         int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted(timeoutMs))
        return result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    expectNoSanitizerReport(program, result.err);
    return result;
}

} // namespace testsupport
