#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kiroutil {

// The kit's log. Messages go to every registered receiver whose verbosity they reach;
// messages may be logged from any thread.
class Log
{
public:
    enum LogMessageVerbosity
    {
        Debug = 0,
        Verbose = 1,
        Note = 2,
        Warning = 3,
        Error = 4,
        Severe = 5,
    };

    using Receiver = std::function<void(LogMessageVerbosity, const std::string&)>;

    static Log& singleton();

    // Returns an id for deregisterReceiver.
    int registerReceiver(Receiver receiver, LogMessageVerbosity verbosity);
    void deregisterReceiver(int id);

    void log(LogMessageVerbosity verbosity, const std::string& message);

    void debug(const std::string& message) { log(Debug, message); }
    void verbose(const std::string& message) { log(Verbose, message); }
    void note(const std::string& message) { log(Note, message); }
    void warning(const std::string& message) { log(Warning, message); }
    void error(const std::string& message) { log(Error, message); }
    void severe(const std::string& message) { log(Severe, message); }

private:
    Log() = default;

    struct Registration
    {
        int id;
        Receiver receiver;
        LogMessageVerbosity verbosity;
        bool active;
    };

    // Delivery holds the lock so that receivers see messages one at a time, in order, and
    // none is called once its deregistration has returned on another thread.
    std::recursive_mutex _mutex;
    std::vector<std::shared_ptr<Registration>> _receivers;
    int _nextId = 1;
};

} // namespace kiroutil
