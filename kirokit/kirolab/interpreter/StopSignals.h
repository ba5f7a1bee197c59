#pragma once

namespace kirolab::interpreter {

// The process signals that end a run, installed in one place. Until install() they keep
// their default action: Ctrl+C before the run ends the process at once.
class StopSignals
{
public:
    // Runs in signal context: it may only touch lock-free state.
    using Handler = void (*)();

    // From now on SIGINT, SIGHUP and SIGTERM call stop.
    static void install(Handler stop);
    // From now on the signals do nothing: whatever stop reaches is about to go.
    static void release();
};

} // namespace kirolab::interpreter
