#pragma once

#include <exception>
#include <functional>

#include <pthread.h>
#include <sched.h>

namespace util {

// Work run on a thread of its own beside the caller's, started on another core than the
// caller's where there is one: a new thread otherwise waits in the busy caller's run queue
// until the scheduler moves it, which can cost milliseconds of a parallel start. Once
// running, the thread may go to any core. The destructor waits for the work.
class BackgroundTask
{
public:
    // Throws std::system_error when no thread can be started.
    explicit BackgroundTask(std::function<void()> work);
    ~BackgroundTask();

    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Waits for the work; rethrows what it threw.
    void wait();

    // The cores this process may run on, at least 1.
    static int usableCores();

private:
    static void* run(void* task);
    void join();

    std::function<void()> _work;
#ifdef __linux__
    // The caller's cores, which the thread takes once it runs.
    cpu_set_t _cores;
    bool _coresKnown = false;
#endif
    pthread_t _thread{};
    bool _joinable = false;
    std::exception_ptr _error;
};

} // namespace util
