#include <util/BackgroundTask.h>

#include <algorithm>
#include <system_error>
#include <thread>
#include <utility>

namespace util {

BackgroundTask::BackgroundTask(std::function<void()> work) : _work(std::move(work))
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
#ifdef __linux__
    CPU_ZERO(&_cores);
    _coresKnown = sched_getaffinity(0, sizeof(cpu_set_t), &_cores) == 0;
    cpu_set_t others = _cores;
    const int current = sched_getcpu();
    if (current >= 0)
        CPU_CLR(current, &others);
    if (_coresKnown && CPU_COUNT(&others) > 0)
        pthread_attr_setaffinity_np(&attributes, sizeof(cpu_set_t), &others);
#endif
    const int error = pthread_create(&_thread, &attributes, &BackgroundTask::run, this);
    pthread_attr_destroy(&attributes);
    if (error != 0)
        throw std::system_error(error, std::generic_category(), "cannot start a thread");
    _joinable = true;
}

BackgroundTask::~BackgroundTask()
{
    join();
}

void BackgroundTask::wait()
{
    join();
    if (_error)
        std::rethrow_exception(std::exchange(_error, nullptr));
}

int BackgroundTask::usableCores()
{
#ifdef __linux__
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof(cpu_set_t), &cores) == 0)
        return std::max(1, CPU_COUNT(&cores));
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}

void BackgroundTask::join()
{
    if (_joinable) {
        pthread_join(_thread, nullptr);
        _joinable = false;
    }
}

void* BackgroundTask::run(void* task)
{
    auto* self = static_cast<BackgroundTask*>(task);
#ifdef __linux__
    // Started where it could run at once; from here on the scheduler places it freely.
    if (self->_coresKnown)
        sched_setaffinity(0, sizeof(cpu_set_t), &self->_cores);
#endif
    try {
        self->_work();
    } catch (...) {
        self->_error = std::current_exception();
    }
    return nullptr;
}

} // namespace util
