#include <kirolab/interpreter/StopSignals.h>

#include <atomic>
#include <csignal>

namespace kirolab::interpreter {

namespace {

std::atomic<StopSignals::Handler> stopHandler{nullptr};

void onSignal(int)
{
    if (const auto handler = stopHandler.load())
        handler();
}

} // namespace

void StopSignals::install(Handler stop)
{
    stopHandler = stop;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Any thread may take the signal; restarting its interrupted call keeps a write to the
    // console from failing with EINTR and losing output.
    action.sa_flags = SA_RESTART;
    // A hang-up (the robot's shell connection dropped) and SIGTERM end the run like Ctrl+C, so
    // the program is terminated and the devices let go instead of the process dying mid-cycle.
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void StopSignals::release()
{
    stopHandler = nullptr;
}

} // namespace kirolab::interpreter
