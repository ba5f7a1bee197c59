#include "ProcessResult.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::ProcessResult;

namespace {

const QString Banner = QStringLiteral("TavikView Interpreter Version 3.3.1\n\n");

class CommandLine : public ::testing::Test
{
protected:
    // Runs the interpreter with a home folder of its own, so the profile copy stays in it.
    ProcessResult run(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), _home.path());
        return testsupport::runProcess(QStringLiteral(TAVVIEW_INTERPRETER), arguments, environment);
    }

    // Standard error without the working-directory lines of the Qt debug channel.
    static QStringList errorLines(const ProcessResult& result)
    {
        QStringList lines = result.err.split('\n', Qt::SkipEmptyParts);
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString& line) { return line.contains("working directory: "); }),
                    lines.end());
        return lines;
    }

    QTemporaryDir _home;
};

} // namespace

TEST_F(CommandLine, withoutArgumentsAsksForAProject)
{
    const ProcessResult result = run({});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, Banner);
    EXPECT_EQ(errorLines(result), QStringList{"No project file specified. Exiting."});
}

TEST_F(CommandLine, versionPrintsOnlyTheBanner)
{
    for (const char* option : {"--version", "-v"}) {
        const ProcessResult result = run({option, "-f", "x.tkp2"});
        EXPECT_EQ(result.exitCode, 1) << option;
        EXPECT_EQ(result.out, Banner) << option;
        EXPECT_TRUE(errorLines(result).isEmpty()) << option;
    }
}

TEST_F(CommandLine, helpListsTheOptionsInDeclarationOrder)
{
    const ProcessResult result = run({"-h"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              Banner + "This is some descriptive text for the --help output. TODO\n\n"
                       "General options:\n"
                       "  -f [ --project ] arg                  TavikView project file (*.tkp2|*.tkpx)\n"
                       "  --set arg                             Set global variables. \n"
                       "                                        globalVariable=value \n"
                       "                                        devicename:configVariable=value\n"
                       "  -h [ --help ]                         produce help message\n"
                       "  -v [ --version ]                      print program version and exit\n"
                       "  -l [ --log-level ] arg                set console log verbosity [ DEBUG | \n"
                       "                                        VERBOSE | NOTE | WARNING | ERROR | \n"
                       "                                        SEVERE | NONE ]\n"
                       "  --global-variable-output-interval arg global variables are printed \n"
                       "                                        periodically all <interval> msecs. Set \n"
                       "                                        0 to disable debugging.\n\n");
}

TEST_F(CommandLine, setStoresGlobalsAndDeviceVariablesInOrder)
{
    const ProcessResult result = run({"--set", "a=1", "b=", "dev:x=2.5", "a:b:c=1", "--version"});
    // --version ends the parse before the values are read: nothing is echoed.
    EXPECT_TRUE(errorLines(result).isEmpty());

    const ProcessResult withProject = run({"--set", "a=1", "b=", "dev:x=2.5", "a:b:c=1", "--log-level",
                                           "NONE", "-f", QDir::temp().filePath("missing.tkp2")});
    EXPECT_EQ(errorLines(withProject), (QStringList{"Set global variable a = 1", "Set global variable b = ",
                                                    "Set device dev config variable x = 2.5",
                                                    "Set device a config variable b:c = 1"}));
    EXPECT_FALSE(withProject.crashed);
}

TEST_F(CommandLine, setTokenWithoutEqualsStopsAndFails)
{
    const ProcessResult result = run({"--set", "x=1", "y", "z=2", "-f", "p.tkp2"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, Banner);
    EXPECT_EQ(errorLines(result), (QStringList{"Set global variable x = 1", "An error occurred!"}));
}

TEST_F(CommandLine, logLevelsAreUpperCaseOnly)
{
    const ProcessResult lower = run({"-l", "debug", "-f", "p.tkp2"});
    EXPECT_EQ(lower.exitCode, 1);
    EXPECT_EQ(errorLines(lower), (QStringList{"Unknown option \"debug\"!", "An error occurred!"}));

    for (const char* level : {"DEBUG", "VERBOSE", "NOTE", "WARNING", "ERROR", "SEVERE", "NONE"}) {
        const ProcessResult result = run({"--log-level", level, "--version"});
        EXPECT_EQ(result.exitCode, 1) << level;
        EXPECT_TRUE(errorLines(result).isEmpty()) << level;
    }
}

TEST_F(CommandLine, malformedOptionsAreReportedAndFail)
{
    const QList<QStringList> cases = {
        {"--no-such-option", "-f", "p.tkp2"},
        {"-f"},
        {"--global-variable-output-interval", "fast", "-f", "p.tkp2"},
        {"--global-variable-output-interval", "99999999999", "-f", "p.tkp2"},
    };
    for (const QStringList& arguments : cases) {
        const ProcessResult result = run(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_FALSE(result.crashed);
        EXPECT_EQ(result.out, Banner);
        // The parse failed as a whole, so no project was stored either.
        EXPECT_EQ(errorLines(result), (QStringList{">>> Unknown option.", "An error occurred!",
                                                   "No project file specified. Exiting."}))
            << arguments.join(' ').toStdString();
    }
}

TEST_F(CommandLine, negativeOutputIntervalIsRefused)
{
    const ProcessResult result = run({"--global-variable-output-interval", "-5", "-f", "p.tkp2"});
    EXPECT_EQ(result.exitCode, 1);
    const QStringList lines = errorLines(result);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("must not be negative")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "An error occurred!");
}
