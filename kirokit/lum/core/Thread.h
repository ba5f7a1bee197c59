#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace lum::core {

// A worker thread that runs run() until it returns. start() begins a run (starting a running
// thread does nothing); stop() asks run() to finish and waits for it. run() checks
// shouldRun() and waits with pause(), which a stop request cuts short.
class Thread
{
public:
    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Subclasses whose run() uses their own members call stop() in their destructor, before
    // those members go.
    virtual ~Thread();

    void start();
    virtual void stop();
    bool isRunning() const;

protected:
    virtual void run() = 0;

    bool shouldRun() const { return _run; }

    // Waits for the given time or until a stop is requested; false when stopping.
    bool pause(unsigned long milliseconds);

private:
    void run_i();

    std::atomic<bool> _run{false};
    mutable std::mutex _mutex;
    bool _isRunning = false;
    std::condition_variable _condition;
    std::unique_ptr<std::thread> _thread;
};

} // namespace lum::core
