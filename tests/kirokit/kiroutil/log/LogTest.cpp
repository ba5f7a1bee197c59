#include <kiroutil/log/Log.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

using kiroutil::Log;

namespace {

using Message = std::pair<Log::LogMessageVerbosity, std::string>;

// A receiver on the process-wide log for the length of one test.
class Capture
{
public:
    explicit Capture(Log::LogMessageVerbosity verbosity)
        : _id(Log::singleton().registerReceiver(
              [this](Log::LogMessageVerbosity level, const std::string& text) {
                  messages.emplace_back(level, text);
              },
              verbosity))
    {
    }
    ~Capture() { Log::singleton().deregisterReceiver(_id); }

    int id() const { return _id; }

    std::vector<Message> messages;

private:
    const int _id;
};

} // namespace

TEST(Log, deliversMessagesAtOrAboveTheReceiversVerbosity)
{
    Capture warnings(Log::Warning);
    Capture everything(Log::Debug);
    Log& log = Log::singleton();
    log.debug("d");
    log.verbose("v");
    log.note("n");
    log.warning("w");
    log.error("e");
    log.severe("s");

    EXPECT_EQ(warnings.messages,
              (std::vector<Message>{{Log::Warning, "w"}, {Log::Error, "e"}, {Log::Severe, "s"}}));
    EXPECT_EQ(everything.messages, (std::vector<Message>{{Log::Debug, "d"},
                                                         {Log::Verbose, "v"},
                                                         {Log::Note, "n"},
                                                         {Log::Warning, "w"},
                                                         {Log::Error, "e"},
                                                         {Log::Severe, "s"}}));
}

TEST(Log, deregisteredReceiversGetNothingMore)
{
    Capture kept(Log::Debug);
    std::vector<std::string> dropped;
    const int id = Log::singleton().registerReceiver(
        [&dropped](Log::LogMessageVerbosity, const std::string& text) { dropped.push_back(text); },
        Log::Debug);
    EXPECT_NE(id, kept.id());

    Log::singleton().note("before");
    Log::singleton().deregisterReceiver(id);
    Log::singleton().deregisterReceiver(id);
    Log::singleton().note("after");

    EXPECT_EQ(dropped, std::vector<std::string>{"before"});
    EXPECT_EQ(kept.messages, (std::vector<Message>{{Log::Note, "before"}, {Log::Note, "after"}}));
}

TEST(Log, receiversMayChangeRegistrationsWhileCalled)
{
    Log& log = Log::singleton();
    std::vector<std::string> calls;
    int self = 0;
    int later = 0;
    int joined = 0;
    self = log.registerReceiver(
        [&](Log::LogMessageVerbosity, const std::string&) {
            calls.push_back("self");
            log.deregisterReceiver(self);
            log.deregisterReceiver(later);
            joined = log.registerReceiver(
                [&](Log::LogMessageVerbosity, const std::string&) { calls.push_back("joined"); }, Log::Debug);
        },
        Log::Debug);
    later = log.registerReceiver(
        [&](Log::LogMessageVerbosity, const std::string&) { calls.push_back("later"); }, Log::Debug);

    log.note("first");
    log.note("second");
    log.deregisterReceiver(joined);
    log.note("third");
    EXPECT_EQ(calls, (std::vector<std::string>{"self", "joined"}));
}

// Threads log at once while another registers and deregisters: each message arrives
// exactly once and whole, each thread's messages in the order it logged them.
TEST(Log, deliversFromSeveralThreads)
{
    constexpr int Threads = 4;
    constexpr int Messages = 500;
    Capture capture(Log::Note);

    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([t] {
            for (int n = 0; n < Messages; ++n) {
                Log::singleton().note(std::to_string(t) + ":" + std::to_string(n));
                Log::singleton().debug("hidden");
            }
        });
    }
    threads.emplace_back([] {
        for (int n = 0; n < Messages; ++n) {
            Capture transient(Log::Severe);
            Log::singleton().severe("transient");
            EXPECT_EQ(transient.messages.size(), 1u);
        }
    });
    for (std::thread& thread : threads)
        thread.join();

    std::vector<int> next(Threads, 0);
    int severe = 0;
    for (const Message& message : capture.messages) {
        if (message.first == Log::Severe) {
            ++severe;
            continue;
        }
        ASSERT_EQ(message.first, Log::Note);
        const auto colon = message.second.find(':');
        ASSERT_NE(colon, std::string::npos) << message.second;
        const int thread = std::stoi(message.second.substr(0, colon));
        ASSERT_EQ(std::stoi(message.second.substr(colon + 1)), next[thread]) << message.second;
        ++next[thread];
    }
    EXPECT_EQ(next, std::vector<int>(Threads, Messages));
    EXPECT_EQ(severe, Messages);
}
