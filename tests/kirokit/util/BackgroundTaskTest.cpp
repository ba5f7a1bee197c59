#include <util/BackgroundTask.h>

#include <sched.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

namespace {

TEST(BackgroundTaskTest, WaitGivesTheWorkAndWhatItThrew)
{
    int result = 0;
    util::BackgroundTask task([&result] { result = 42; });
    task.wait();
    EXPECT_EQ(result, 42);

    util::BackgroundTask failing([] { throw std::runtime_error("no luck"); });
    try {
        failing.wait();
        FAIL() << "the work's exception is lost";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "no luck");
    }
    EXPECT_NO_THROW(failing.wait()) << "an exception is handed over once";
}

TEST(BackgroundTaskTest, DestructionWaitsForTheWork)
{
    std::atomic<bool> done{false};
    {
        util::BackgroundTask task([&done] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            done = true;
        });
    }
    EXPECT_TRUE(done);
}

// Started away from the caller's core, the work must not stay tied to the other cores.
TEST(BackgroundTaskTest, TheWorkMayRunOnEveryCoreOfTheCaller)
{
    cpu_set_t caller;
    ASSERT_EQ(sched_getaffinity(0, sizeof(cpu_set_t), &caller), 0);
    cpu_set_t seen;
    CPU_ZERO(&seen);
    util::BackgroundTask task([&seen] { sched_getaffinity(0, sizeof(cpu_set_t), &seen); });
    task.wait();
    EXPECT_TRUE(CPU_EQUAL(&caller, &seen));
}

} // namespace
