#include <kiroutil/log/Log.h>

#include <algorithm>

namespace kiroutil {

Log& Log::singleton()
{
    static Log instance;
    return instance;
}

int Log::registerReceiver(Receiver receiver, LogMessageVerbosity verbosity)
{
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _receivers.push_back(
        std::make_shared<Registration>(Registration{_nextId, std::move(receiver), verbosity, true}));
    return _nextId++;
}

void Log::deregisterReceiver(int id)
{
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    const auto it = std::find_if(_receivers.begin(), _receivers.end(),
                                 [id](const auto& registration) { return registration->id == id; });
    if (it == _receivers.end())
        return;
    (*it)->active = false;
    _receivers.erase(it);
}

void Log::log(LogMessageVerbosity verbosity, const std::string& message)
{
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    // A receiver may register or deregister receivers, itself included, from inside its
    // call: walk a snapshot that keeps each one alive and skip those removed meanwhile.
    const auto receivers = _receivers;
    for (const auto& registration : receivers) {
        if (registration->active && verbosity >= registration->verbosity)
            registration->receiver(verbosity, message);
    }
}

} // namespace kiroutil
