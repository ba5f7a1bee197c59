#include <kirogen/sim/Execution.h>

#include <kirogen/sim/Program.h>
#include <kirogen/sim/session/ExecutionSession.h>
#include <kiroutil/log/Log.h>

#include <stdexcept>

namespace kirogen::sim {

using Steady = std::chrono::steady_clock;

namespace {

// The execution whose thread this is, if any.
thread_local const Execution* ownExecution = nullptr;

} // namespace

Execution::Execution(std::shared_ptr<model::Project> project, const model::SfcModel& program,
                     util::XTime cycle, const std::string& source)
    : _project(std::move(project)), _cycle(cycle),
      _clock([] { return std::chrono::duration<double>(Steady::now().time_since_epoch()).count(); })
{
    if (!(cycle.seconds() > 0.0))
        throw std::invalid_argument("the cycle time of an execution must be positive");
    _program = std::make_unique<Program>(_project, program, source);
}

Execution::~Execution()
{
    terminate();
    sync();
    joinThread();
}

void Execution::start()
{
    std::lock_guard<std::mutex> threadLock(_threadMutex);
    {
        std::unique_lock<std::mutex> lock(_mutex);
        if (_requested == Running || _requested == Suspended)
            return;
        // A run that is still ending finishes before the next begins.
        _changed.wait(lock, [this] { return _requested != Terminated || _state == Terminated; });
    }
    if (_thread.joinable())
        _thread.join();
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _requested = Running;
        _state = Idle;
    }
    _thread = std::thread(&Execution::run, this);
}

void Execution::suspend()
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (_requested == Running) {
        _requested = Suspended;
        _changed.notify_all();
    }
}

void Execution::resume()
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (_requested == Suspended) {
        _requested = Running;
        _changed.notify_all();
    }
}

void Execution::terminate()
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (_requested == Running || _requested == Suspended) {
        _requested = Terminated;
        _changed.notify_all();
    }
}

void Execution::sync()
{
    // Observers and log receivers on the execution's own thread may call sync(); that
    // thread cannot wait for itself (role 49 is announced before the run counts as started).
    if (ownExecution == this)
        return;
    bool ended = false;
    {
        std::unique_lock<std::mutex> lock(_mutex);
        _changed.wait(lock,
                      [this] { return _requested == Idle || _state == _requested || _state == Terminated; });
        ended = _state == Terminated;
    }
    if (ended)
        joinThread();
}

void Execution::joinThread()
{
    std::lock_guard<std::mutex> threadLock(_threadMutex);
    if (_thread.joinable())
        _thread.join();
}

void Execution::step(util::XTime dt)
{
    if (const auto begun = beginRun())
        announce(begun);
    runCycle(dt);
}

Execution::State Execution::state() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _state;
}

std::shared_ptr<session::ExecutionSession> Execution::session() const
{
    std::lock_guard<std::mutex> lock(_cycleMutex);
    return _session;
}

std::string Execution::activeStep() const
{
    std::lock_guard<std::mutex> lock(_cycleMutex);
    return _program->activeStep();
}

RunSnapshot Execution::snapshot() const
{
    std::lock_guard<std::mutex> lock(_cycleMutex);
    return _program->snapshot();
}

util::XTime Execution::runTime() const
{
    std::lock_guard<std::mutex> lock(_cycleMutex);
    return _runTime;
}

std::uint64_t Execution::cycleCount() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _cycles;
}

bool Execution::waitForCycles(std::uint64_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(_mutex);
    return _changed.wait_for(lock, timeout, [this, count] { return _cycles >= count; });
}

void Execution::setClock(std::function<double()> clock)
{
    std::lock_guard<std::mutex> lock(_mutex);
    _clock = std::move(clock);
}

std::shared_ptr<session::ExecutionSession> Execution::beginRun()
{
    std::lock_guard<std::mutex> lock(_cycleMutex);
    if (_runActive)
        return nullptr;
    _program->reset();
    _session = std::make_shared<session::ExecutionSession>(_project, _cycleGate);
    _runActive = true;
    _firstCycle = true;
    _runTime = util::XTime();
    return _session;
}

void Execution::runCycle(util::XTime dt)
{
    {
        std::lock_guard<std::mutex> gate(*_cycleGate);
        std::lock_guard<std::mutex> lock(_cycleMutex);
        if (_firstCycle)
            _firstCycle = false;
        else
            _runTime += dt;
        _program->runCycle(_runTime.seconds());
    }
    std::lock_guard<std::mutex> lock(_mutex);
    ++_cycles;
    _changed.notify_all();
}

void Execution::announce(const std::shared_ptr<session::ExecutionSession>& session)
{
    notify(observer::DataRole::ExecutionSessionAvailable, this,
           lum::core::variant::Variant::fromValue(session));
}

void Execution::setState(State state)
{
    if (_state == state)
        return;
    _state = state;
    _changed.notify_all();
}

void Execution::run()
{
    ownExecution = this;
    {
        // A new run, also after cycles stepped by hand.
        std::lock_guard<std::mutex> lock(_cycleMutex);
        _runActive = false;
    }
    announce(beginRun());

    std::unique_lock<std::mutex> lock(_mutex);
    const std::function<double()> clock = _clock;
    const auto period =
        std::chrono::duration_cast<Steady::duration>(std::chrono::duration<double>(_cycle.seconds()));
    auto deadline = Steady::now();
    double previous = clock();
    bool failed = false;
    std::string fault;
    while (_requested != Terminated) {
        if (_requested == Suspended) {
            setState(Suspended);
            _changed.wait(lock, [this] { return _requested != Suspended; });
            // Time spent suspended is no run time: timers and step times carry on from where
            // they stopped.
            previous = clock();
            deadline = Steady::now();
            continue;
        }
        setState(Running);
        if (Steady::now() < deadline) {
            _changed.wait_until(lock, deadline, [this] { return _requested != Running; });
            continue;
        }
        lock.unlock();
        const double now = clock();
        try {
            runCycle(util::XTime(now - previous));
        } catch (const std::exception& e) {
            failed = true;
            fault = e.what();
        }
        previous = now;
        // After an overrun the next cycle is a full period later, not a burst of catch-up cycles.
        deadline = std::max(deadline + period, Steady::now());
        lock.lock();
        if (failed) {
            _requested = Terminated;
            break;
        }
    }
    lock.unlock();
    {
        std::lock_guard<std::mutex> cycleLock(_cycleMutex);
        _runActive = false;
    }
    lock.lock();
    setState(Terminated);
    lock.unlock();
    // Logged when the run has ended, so that whoever reads it finds the execution terminated.
    if (failed)
        kiroutil::Log::singleton().error("The program stopped: " + fault);
}

} // namespace kirogen::sim
