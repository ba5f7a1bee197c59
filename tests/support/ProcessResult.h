#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

struct ProcessResult
{
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

// Runs a program to its end (bounded by timeoutMs) and collects what it printed.
ProcessResult runProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                         const QString& workingDirectory = QString(), int timeoutMs = 60000);

} // namespace testsupport
