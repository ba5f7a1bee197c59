#include <kirolab/interpreter/CommandLine.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using kirolab::interpreter::CommandLine;
using kiroutil::Log;

namespace {

// Parses the arguments after the program name; the banner and reports are dropped.
bool parse(CommandLine& commandLine, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "tavview_interpreter");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const bool parsed = commandLine.parse(static_cast<int>(argv.size()), argv.data());
    ::testing::internal::GetCapturedStdout();
    ::testing::internal::GetCapturedStderr();
    return parsed;
}

} // namespace

TEST(CommandLineValues, setValuesGoToTheirVariablesAndDevices)
{
    CommandLine commandLine;
    ASSERT_TRUE(parse(commandLine, {"--set", "speed=0.5", "tavik:disableDriveSystem=true", "name=a=b",
                                    "--global-variable-output-interval", "250", "-f", "p.tkp2"}));
    EXPECT_EQ(commandLine.projectFile(), "p.tkp2");
    EXPECT_EQ(commandLine.globalVariableOutputInterval(), 250);
    EXPECT_EQ(commandLine.globalVariableValues().value("speed"), "0.5");
    EXPECT_EQ(commandLine.globalVariableValues().value("name"), "a=b");
    EXPECT_FALSE(commandLine.globalVariableValues().contains("tavik:disableDriveSystem"));
    EXPECT_EQ(commandLine.deviceConfigValues().value("tavik").value("disableDriveSystem"), "true");
}

// The console log is switched on only by a valid level that no earlier fault spoilt.
TEST(CommandLineValues, consoleLogLevel)
{
    struct Case
    {
        std::vector<std::string> arguments;
        bool parsed;
        std::optional<Log::LogMessageVerbosity> verbosity;
    };
    const std::vector<Case> cases = {
        {{"--log-level", "WARNING", "-f", "p.tkp2"}, true, Log::Warning},
        {{"-l", "DEBUG", "-f", "p.tkp2"}, true, Log::Debug},
        {{"--log-level", "NONE", "-f", "p.tkp2"}, true, std::nullopt},
        {{"-f", "p.tkp2"}, true, std::nullopt},
        {{"--log-level", "warning", "-f", "p.tkp2"}, false, std::nullopt},
        {{"--global-variable-output-interval", "-1", "--log-level", "DEBUG", "-f", "p.tkp2"},
         false,
         std::nullopt},
        // A fault found after the level leaves the level in force for what is logged before the end.
        {{"--log-level", "ERROR", "--set", "novalue", "-f", "p.tkp2"}, false, Log::Error},
        {{"--log-level", "ERROR"}, false, Log::Error},
    };
    for (const Case& c : cases) {
        CommandLine commandLine;
        EXPECT_EQ(parse(commandLine, c.arguments), c.parsed) << c.arguments.front();
        EXPECT_EQ(commandLine.consoleLogVerbosity(), c.verbosity) << c.arguments[1];
    }
}
