#include "SanitizerReport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace testsupport {

QString sanitizerReport(const QString& output)
{
    // "==123==ERROR: AddressSanitizer: ...", "WARNING: ThreadSanitizer: ...",
    // "file.cpp:12:5: runtime error: ...".
    static const QRegularExpression start(
        QStringLiteral(R"((ERROR|WARNING): [A-Za-z]+Sanitizer:|:\d+:\d+: runtime error: )"));
    const QRegularExpressionMatch match = start.match(output);
    if (!match.hasMatch())
        return QString();
    const int lineStart = output.lastIndexOf(QLatin1Char('\n'), match.capturedStart()) + 1;
    return output.mid(lineStart);
}

void expectNoSanitizerReport(const QString& program, const QString& output)
{
    const QString report = sanitizerReport(output);
    EXPECT_TRUE(report.isEmpty()) << program.toStdString() << " reported a fault:\n" << report.toStdString();
}

} // namespace testsupport
