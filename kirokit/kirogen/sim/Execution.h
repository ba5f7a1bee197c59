#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <kirogen/sim/RunSnapshot.h>
#include <util/XTime.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kirogen::model {
class Project;
class SfcModel;
} // namespace kirogen::model

namespace kirogen::sim {

class Program;

namespace session {
class ExecutionSession;
}

// Runs a program: on its own thread, one cycle per period, between start() and
// terminate(), or cycle by cycle through step(). Each run begins from the initial step with
// a new session, announced as role 49 with the session's shared pointer.
//
// start(), suspend(), resume() and terminate() only ask; sync() waits until the last
// request took effect, except on the execution's own thread (in an observer), where it
// returns at once. A run that fails (an exception from a block) ends as terminated and
// logs the fault.
class Execution : public observer::Observable
{
public:
    enum State
    {
        Idle,
        Running,
        Suspended,
        Terminated
    };

    // Compiles the program; throws std::runtime_error "<source>:<line>: <fault>".
    Execution(std::shared_ptr<model::Project> project, const model::SfcModel& program, util::XTime cycle,
              const std::string& source);
    ~Execution() override;

    void start();
    void suspend();
    void resume();
    void terminate();
    void sync();

    // One cycle on the calling thread, beginning a run if none is active; dt is the time
    // since the previous cycle (the first cycle of a run is at time 0). Not for use while the
    // execution's own thread runs.
    void step(util::XTime dt);

    // Cheap and safe from any thread, so the owner can poll it: Terminated once a run has
    // ended, whether terminate() asked for it or a block's fault ended it (before the fault
    // is logged); Idle before the first start() and while a start() is under way.
    State state() const;
    util::XTime cycleTime() const { return _cycle; }
    std::shared_ptr<session::ExecutionSession> session() const;
    std::string activeStep() const;
    // The active step and its diagram's output values after the latest cycle, for displays
    // that follow the run. Waits at most for the cycle under way; a cycle waits only for the copy.
    RunSnapshot snapshot() const;
    // The run's time at the latest cycle.
    util::XTime runTime() const;
    std::uint64_t cycleCount() const;

    // Waits until cycleCount() reaches count; false when the time-out passed first.
    bool waitForCycles(std::uint64_t count, std::chrono::milliseconds timeout) const;

    // The clock the thread measures the time between cycles with, in seconds; a steady
    // clock unless replaced before start().
    void setClock(std::function<double()> clock);

private:
    void run();
    // The new session if this began a run; empty if a run was active.
    std::shared_ptr<session::ExecutionSession> beginRun();
    void runCycle(util::XTime dt);
    void announce(const std::shared_ptr<session::ExecutionSession>& session);
    void setState(State state);
    void joinThread();

    const std::shared_ptr<model::Project> _project;
    const util::XTime _cycle;

    // Held across each cycle, and by the session's polls (see ExecutionSession); taken
    // before _cycleMutex.
    const std::shared_ptr<std::mutex> _cycleGate = std::make_shared<std::mutex>();
    // Program, run time and session: touched by one cycle at a time.
    mutable std::mutex _cycleMutex;
    std::unique_ptr<Program> _program;
    std::shared_ptr<session::ExecutionSession> _session;
    bool _runActive = false;
    bool _firstCycle = true;
    util::XTime _runTime;

    // Requests and state, between the callers and the thread.
    mutable std::mutex _mutex;
    mutable std::condition_variable _changed;
    State _state = Idle;
    State _requested = Idle;
    std::uint64_t _cycles = 0;
    std::function<double()> _clock;

    std::mutex _threadMutex;
    std::thread _thread;
};

} // namespace kirogen::sim
