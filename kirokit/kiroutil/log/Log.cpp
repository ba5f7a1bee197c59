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
    _receivers.push_back({_nextId, std::move(receiver), verbosity});
    return _nextId++;
}

void Log::deregisterReceiver(int id)
{
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _receivers.erase(std::remove_if(_receivers.begin(), _receivers.end(),
                                    [id](const Registration& r) { return r.id == id; }),
                     _receivers.end());
}

void Log::log(LogMessageVerbosity verbosity, const std::string& message)
{
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    for (const Registration& registration : _receivers) {
        if (verbosity >= registration.verbosity)
            registration.receiver(verbosity, message);
    }
}

} // namespace kiroutil
