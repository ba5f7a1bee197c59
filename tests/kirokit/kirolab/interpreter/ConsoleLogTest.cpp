#include <kirolab/interpreter/ConsoleLog.h>

#include <gtest/gtest.h>

using kirolab::interpreter::logMessageCallback;
using kiroutil::Log;

TEST(ConsoleLog, prefixesNameTheVerbosity)
{
    ::testing::internal::CaptureStdout();
    logMessageCallback(Log::Debug, "d");
    logMessageCallback(Log::Verbose, "v");
    logMessageCallback(Log::Note, "n");
    logMessageCallback(Log::Warning, "w");
    logMessageCallback(Log::Error, "e");
    logMessageCallback(Log::Severe, "s");
    logMessageCallback(static_cast<Log::LogMessageVerbosity>(9), "plain");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Debug: d\nVerbose: v\nNote: n\nWarning: w\nError: e\nCritical error: s\nplain\n");
}

TEST(ConsoleLog, receivesKitMessagesAtOrAboveItsLevel)
{
    const int id = Log::singleton().registerReceiver(logMessageCallback, Log::Warning);
    ::testing::internal::CaptureStdout();
    Log::singleton().note("not shown");
    Log::singleton().warning("shown");
    Log::singleton().severe("also shown");
    const std::string out = ::testing::internal::GetCapturedStdout();
    Log::singleton().deregisterReceiver(id);
    EXPECT_EQ(out, "Warning: shown\nCritical error: also shown\n");
}
