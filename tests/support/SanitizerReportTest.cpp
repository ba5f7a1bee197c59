#include "SanitizerReport.h"
#include "ProcessResult.h"
#include "RunningProcess.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using testsupport::sanitizerReport;

namespace {

// A child that writes text to its standard error as a sanitizer would.
QStringList printToStandardError(const QString& text)
{
    return {QStringLiteral("-c"), QStringLiteral("printf '%s' \"$1\" >&2"), QStringLiteral("sh"), text};
}

} // namespace

TEST(SanitizerReport, findsEachSanitizersReportFromItsFirstLine)
{
    const QString before = QStringLiteral("Initial working directory: /tmp\nLoading types... done.\n");
    const QStringList reports = {
        QStringLiteral("==4711==ERROR: AddressSanitizer: heap-use-after-free on address 0x602000000010\n"),
        QStringLiteral("==4711==ERROR: LeakSanitizer: detected memory leaks\n"),
        QStringLiteral("==================\nWARNING: ThreadSanitizer: data race (pid=4711)\n"),
        QStringLiteral("/src/kirokit/lum/core/Variant.cpp:42:17: runtime error: signed integer overflow\n"),
    };
    for (const QString& report : reports)
        EXPECT_EQ(sanitizerReport(before + report), report.mid(report.lastIndexOf("\n", -2) + 1))
            << report.toStdString();
}

TEST(SanitizerReport, ordinaryOutputIsNoReport)
{
    EXPECT_TRUE(sanitizerReport(QStringLiteral("Error: Login failed\n"
                                               "The program stopped: runtime error in block Add\n"
                                               "Terminating program... done.\n"))
                    .isEmpty());
}

// The report of a child process fails the test that ran it, whatever its exit code.
TEST(SanitizerReport, childProcessReportFailsTheTest)
{
    const QString report = QStringLiteral("==4711==ERROR: LeakSanitizer: detected memory leaks\n");
    EXPECT_NONFATAL_FAILURE(testsupport::runProcess(QStringLiteral("/bin/sh"), printToStandardError(report)),
                            "detected memory leaks");
    EXPECT_NONFATAL_FAILURE(
        {
            testsupport::RunningProcess process(QStringLiteral("/bin/sh"), printToStandardError(report));
            process.waitForExit();
        },
        "detected memory leaks");
}
