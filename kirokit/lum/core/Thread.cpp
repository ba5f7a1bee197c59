#include <lum/core/Thread.h>

#include <chrono>

namespace lum::core {

Thread::~Thread()
{
    stop();
    if (_thread && _thread->joinable())
        _thread->join();
}

void Thread::start()
{
    std::unique_lock<std::mutex> lock(_mutex);
    // A stop in progress finishes before the next run begins.
    _condition.wait(lock, [this] { return _run || !_isRunning; });
    if (_isRunning)
        return;
    if (_thread && _thread->joinable())
        _thread->join();
    _run = true;
    _isRunning = true;
    _thread = std::make_unique<std::thread>(&Thread::run_i, this);
}

void Thread::stop()
{
    std::unique_lock<std::mutex> lock(_mutex);
    if (!_isRunning)
        return;
    _run = false;
    _condition.notify_all();
    // From inside run() the request is all there is to do: the worker cannot wait for itself.
    if (std::this_thread::get_id() == _thread->get_id())
        return;
    _condition.wait(lock, [this] { return !_isRunning; });
}

bool Thread::isRunning() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _isRunning;
}

bool Thread::pause(unsigned long milliseconds)
{
    std::unique_lock<std::mutex> lock(_mutex);
    return !_condition.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return !_run; });
}

void Thread::run_i()
{
    run();
    std::lock_guard<std::mutex> lock(_mutex);
    _run = false;
    _isRunning = false;
    _condition.notify_all();
}

} // namespace lum::core
