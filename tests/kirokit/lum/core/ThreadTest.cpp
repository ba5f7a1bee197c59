#include <lum/core/Thread.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Counts its rounds; each round pauses for an hour unless stopped, so a stop that could not
// cut the pause short would hang the test (CTest's time-out turns that into a failure).
class Sleeper : public lum::core::Thread
{
public:
    ~Sleeper() override { stop(); }

    std::atomic<int> runs{0};
    std::atomic<bool> entered{false};
    std::atomic<bool>* finished = nullptr;

protected:
    void run() override
    {
        ++runs;
        entered = true;
        while (shouldRun())
            pause(3600 * 1000);
        if (finished)
            *finished = true;
    }
};

class SelfStopping : public lum::core::Thread
{
public:
    ~SelfStopping() override { stop(); }

protected:
    void run() override { stop(); }
};

void waitUntil(const std::atomic<bool>& flag)
{
    while (!flag)
        std::this_thread::yield();
}

} // namespace

TEST(Thread, stopEndsAPausedRun)
{
    Sleeper thread;
    EXPECT_FALSE(thread.isRunning());
    thread.start();
    EXPECT_TRUE(thread.isRunning());
    waitUntil(thread.entered);
    thread.stop();
    EXPECT_FALSE(thread.isRunning());
    EXPECT_EQ(thread.runs, 1);
}

TEST(Thread, startingARunningThreadDoesNothingAndItRestartsAfterStop)
{
    Sleeper thread;
    thread.start();
    thread.start();
    waitUntil(thread.entered);
    thread.stop();
    EXPECT_EQ(thread.runs, 1);

    thread.entered = false;
    thread.start();
    waitUntil(thread.entered);
    thread.stop();
    EXPECT_EQ(thread.runs, 2);
}

TEST(Thread, runMayStopItself)
{
    SelfStopping thread;
    thread.start();
    // The worker's own stop request ends its run; stop() from here then waits for that end.
    thread.stop();
    EXPECT_FALSE(thread.isRunning());
}

TEST(Thread, destructorStopsARunningThread)
{
    std::atomic<bool> finished{false};
    auto thread = std::make_unique<Sleeper>();
    thread->finished = &finished;
    thread->start();
    waitUntil(thread->entered);
    thread.reset();
    EXPECT_TRUE(finished);
}
