#pragma once

namespace lumlink {

// While it exists, the runtime kit's log messages of verbosity Note and above reach the message
// window (lum::qt::log::Log), each with its level. Messages may come from any thread.
class RuntimeLogReceiver
{
public:
    RuntimeLogReceiver();
    ~RuntimeLogReceiver();

    RuntimeLogReceiver(const RuntimeLogReceiver&) = delete;
    RuntimeLogReceiver& operator=(const RuntimeLogReceiver&) = delete;

private:
    int _registration;
};

} // namespace lumlink
