#include "../EngineTestSupport.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/sdf/ActorFactory.h>
#include <kirogen/sim/Execution.h>
#include <kirogen/sim/SimulationThread.h>
#include <kirogen/sim/session/ExecutionSession.h>
#include <kiroutil/log/Log.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <map>
#include <mutex>
#include <thread>

using kirogen::observer::DataRole;
using kirogen::sim::Execution;
using kirogen::sim::SimulationThread;
using kirogen::sim::session::ExecutionSession;
using lum::core::variant::Variant;

namespace {

// Failure bound for waits on the execution thread; a correct run never comes near it.
constexpr std::chrono::milliseconds patience(20000);

// count = count + 1, once per cycle.
const char* const counter = R"(
<sfc name="main"><step name="Count" initial="true" diagram="count" x="0" y="0"/></sfc>
<fbd name="count">
  <block id="read" type="gvread" x="0" y="0"><parameter name="variable" value="count"/></block>
  <block id="one" type="const" x="0" y="0"><parameter name="value" value="1"/></block>
  <block id="next" type="add" x="0" y="0"/>
  <block id="write" type="gvwrite" x="0" y="0"><parameter name="variable" value="count"/></block>
  <link from="read" fromPort="out" to="next" toPort="a"/>
  <link from="one" fromPort="out" to="next" toPort="b"/>
  <link from="next" fromPort="out" to="write" toPort="in"/>
</fbd>
)";

struct SessionWatcher : kirogen::observer::Observer
{
    void on_notify(const DataRole& role, kirogen::observer::Observable*, const Variant& value) override
    {
        if (role != DataRole::ExecutionSessionAvailable)
            return;
        std::lock_guard<std::mutex> lock(mutex);
        sessions.push_back(value.get<std::shared_ptr<ExecutionSession>>());
    }

    std::vector<std::shared_ptr<ExecutionSession>> received()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return sessions;
    }

    std::mutex mutex;
    std::vector<std::shared_ptr<ExecutionSession>> sessions;
};

class ExecutionTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { enginetest::loadSystem(); }

    ExecutionTest()
        : _project(enginetest::project("<variable name=\"count\" type=\"int\" value=\"0\"/>", counter)),
          _thread(
              std::make_unique<SimulationThread>(_project, _project->sfcModels().front(), util::XTime(0.01))),
          _execution(*_thread->getExecution())
    {
        _execution.registerObserver(DataRole::ExecutionSessionAvailable, &_watcher);
    }

    int count() { return _project->globalVariable("count")->value().get<int>(); }

    // Waits for n more cycles of the execution's thread.
    bool runs(std::uint64_t n) { return _execution.waitForCycles(_execution.cycleCount() + n, patience); }

    std::shared_ptr<kirogen::model::Project> _project;
    SessionWatcher _watcher;
    std::unique_ptr<SimulationThread> _thread;
    Execution& _execution;
};

TEST_F(ExecutionTest, StartRunsCyclesOnItsThreadUntilTerminated)
{
    EXPECT_EQ(_execution.state(), Execution::Idle);
    _execution.sync(); // nothing pending: returns at once
    _execution.start();
    _execution.start(); // a second start changes nothing
    _execution.sync();
    EXPECT_EQ(_execution.state(), Execution::Running);
    ASSERT_EQ(_watcher.received().size(), 1u); // announced before the run counted as started
    ASSERT_TRUE(_watcher.received().front());

    ASSERT_TRUE(runs(3));
    _execution.terminate();
    _execution.sync();
    EXPECT_EQ(_execution.state(), Execution::Terminated);
    const int counted = count();
    EXPECT_GE(counted, 3);
    EXPECT_EQ(static_cast<std::uint64_t>(counted), _execution.cycleCount());

    // A new run: a new session; the variables keep their values.
    _execution.start();
    _execution.sync();
    ASSERT_TRUE(runs(1));
    EXPECT_GT(count(), counted);
    ASSERT_EQ(_watcher.received().size(), 2u);
    EXPECT_NE(_watcher.received()[0], _watcher.received()[1]);
    _execution.terminate();
    _execution.sync();
    EXPECT_EQ(_execution.state(), Execution::Terminated);
}

TEST_F(ExecutionTest, SuspendedTimeIsNoRunTime)
{
    std::atomic<double> clock(100.0);
    _execution.setClock([&clock] { return clock.load(); });
    _execution.start();
    _execution.sync();
    ASSERT_TRUE(runs(1));
    clock = 101.0;
    ASSERT_TRUE(runs(2)); // the cycle that sees the second pass, and one more
    EXPECT_EQ(_execution.runTime(), util::XTime(1.0));

    _execution.suspend();
    _execution.sync();
    EXPECT_EQ(_execution.state(), Execution::Suspended);
    const std::uint64_t cycles = _execution.cycleCount();
    const int counted = count();
    clock = 1000.0;
    EXPECT_EQ(_execution.cycleCount(), cycles);
    EXPECT_EQ(count(), counted);

    _execution.resume();
    _execution.sync();
    EXPECT_EQ(_execution.state(), Execution::Running);
    ASSERT_TRUE(runs(2));
    EXPECT_EQ(_execution.runTime(), util::XTime(1.0));
    EXPECT_GT(count(), counted);

    _execution.suspend();
    _execution.sync();
    _execution.terminate(); // also from suspension
    _execution.sync();
    EXPECT_EQ(_execution.state(), Execution::Terminated);
}

TEST_F(ExecutionTest, SessionPolledFromAnotherThreadSeesTheNewestValue)
{
    struct Updates : kirogen::observer::Observer
    {
        void on_notify(const DataRole&, kirogen::observer::Observable*, const Variant&) override
        {
            ++received;
        }
        int received = 0;
    } updates;
    _project->globalVariable("count")->registerObserver(DataRole::GlobalVariableUpdated, &updates);

    _execution.start();
    _execution.sync();
    const auto session = _watcher.received().front();
    ASSERT_TRUE(runs(2));
    _execution.suspend();
    _execution.sync();
    session->pollHistory();
    session->pollHistory();
    EXPECT_EQ(updates.received, 1);
    EXPECT_EQ(_project->globalVariable("count")->historyBuffer()->last(), Variant(count()));

    _execution.resume();
    ASSERT_TRUE(runs(1));
    session->pollHistory();
    EXPECT_EQ(updates.received, 2);
}

TEST_F(ExecutionTest, AnObserverOnTheExecutionThreadMaySync)
{
    struct Syncing : kirogen::observer::Observer
    {
        explicit Syncing(Execution& execution) : execution(execution) {}
        void on_notify(const DataRole&, kirogen::observer::Observable*, const Variant&) override
        {
            execution.sync();
            ++synced;
        }
        Execution& execution;
        std::atomic<int> synced{0};
    } syncing(_execution);
    _execution.registerObserver(DataRole::ExecutionSessionAvailable, &syncing);

    _execution.start();
    ASSERT_TRUE(runs(2)); // the thread went on past the announcement
    _execution.sync();
    EXPECT_EQ(syncing.synced, 1);
    _execution.terminate();
    _execution.sync();
}

TEST_F(ExecutionTest, DestroyingARunningThreadEndsTheRun)
{
    _execution.start();
    ASSERT_TRUE(runs(1));
    _thread.reset();
    EXPECT_GE(count(), 1);
}

} // namespace

namespace {

// Throws in every cycle in which its input is true.
class Exploding : public kirogen::sdf::Actor
{
public:
    void evaluate(double) override
    {
        if (inputBool(0))
            throw std::runtime_error("boom");
    }
};

// Declares test actor types in a units file of their own; ports as "<port .../>" elements.
void declareActor(const std::string& id, const std::string& ports)
{
    QTemporaryDir units;
    QFile declaration(units.filePath(QString::fromStdString(id) + ".xml"));
    ASSERT_TRUE(declaration.open(QIODevice::WriteOnly));
    declaration.write(("<units xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                       "xsi:noNamespaceSchemaLocation=\"units.xsd\"><actor id=\"" +
                       id + "\" category=\"Test\">" + ports + "</actor></units>")
                          .c_str());
    declaration.close();
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(units.path().toStdString());
}

TEST(ExecutionFaultTest, AFaultInACycleEndsTheRunAndIsLogged)
{
    enginetest::loadSystem();
    declareActor("explode", R"(<port name="in" direction="in" type="bool"/>)");
    kirogen::sdf::ActorFactory::singleton().registerActor(
        "explode",
        {{"in"}, {}, [](const kirogen::sdf::ActorSetup&) { return std::make_unique<Exploding>(); }});

    const auto project = enginetest::project("<variable name=\"armed\" type=\"bool\" value=\"false\"/>", R"(
<sfc name="main"><step name="Run" initial="true" diagram="bomb" x="0" y="0"/></sfc>
<fbd name="bomb">
  <block id="armed" type="gvread" x="0" y="0"><parameter name="variable" value="armed"/></block>
  <block id="bomb" type="explode" x="0" y="0"/>
  <link from="armed" fromPort="out" to="bomb" toPort="in"/>
</fbd>)");

    std::mutex mutex;
    std::condition_variable logged;
    std::vector<std::string> errors;
    struct Receiver
    {
        ~Receiver() { kiroutil::Log::singleton().deregisterReceiver(id); }
        int id;
    } receiver{kiroutil::Log::singleton().registerReceiver(
        [&](kiroutil::Log::LogMessageVerbosity, const std::string& message) {
            std::lock_guard<std::mutex> lock(mutex);
            errors.push_back(message);
            logged.notify_all();
        },
        kiroutil::Log::Error)};

    SimulationThread simulation(project, project->sfcModels().front(), util::XTime(0.01));
    Execution& execution = *simulation.getExecution();
    execution.start();
    execution.sync();
    ASSERT_TRUE(execution.waitForCycles(2, patience));
    EXPECT_EQ(execution.state(), Execution::Running);

    project->globalVariable("armed")->write(true);
    // The owner learns of the end by polling, as the interpreter does, without sync().
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (execution.state() != Execution::Terminated && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(execution.state(), Execution::Terminated);
    {
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(logged.wait_for(lock, patience, [&errors] { return !errors.empty(); }));
        EXPECT_EQ(errors, std::vector<std::string>{"The program stopped: boom"});
    }
    execution.sync();

    // The fault is gone: a new run goes on.
    project->globalVariable("armed")->write(false);
    execution.start();
    execution.sync();
    ASSERT_TRUE(execution.waitForCycles(execution.cycleCount() + 2, patience));
    EXPECT_EQ(execution.state(), Execution::Running);
}

// Passes its input on; once armed, it holds the cycle it runs in until released.
class Holding : public kirogen::sdf::Actor
{
public:
    struct Gate
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool armed = false;
        bool holding = false;
    };
    static Gate gate;

    void evaluate(double) override
    {
        output(0) = input(0);
        std::unique_lock<std::mutex> lock(gate.mutex);
        if (!gate.armed)
            return;
        gate.armed = false;
        gate.holding = true;
        gate.changed.notify_all();
        gate.changed.wait(lock, [] { return !gate.holding; });
    }
};

Holding::Gate Holding::gate;

// Records the newest value each update announces.
struct NewestValues : kirogen::observer::Observer
{
    using Buffers = std::pair<std::shared_ptr<plugin::gui::VariableHistoryBuffer>,
                              std::shared_ptr<plugin::gui::PropertyBuffer>>;

    void on_notify(const DataRole&, kirogen::observer::Observable*, const Variant& value) override
    {
        const Buffers buffers = value.get<Buffers>();
        std::lock_guard<std::mutex> lock(mutex);
        values[buffers.second->name()] = buffers.first->last().get<double>();
    }

    std::mutex mutex;
    std::map<std::string, double> values;
};

// count is written, then the cycle is held, then echo gets the same value: a poll while the
// cycle is held must wait for its end instead of reporting count without echo.
TEST(ExecutionPollTest, APollSeesAllWritesOfACycleOrNone)
{
    enginetest::loadSystem();
    declareActor("hold", R"(<port name="in" direction="in" type="double"/>)"
                         R"(<port name="out" direction="out" type="double"/>)");
    kirogen::sdf::ActorFactory::singleton().registerActor(
        "hold",
        {{"in"}, {"out"}, [](const kirogen::sdf::ActorSetup&) { return std::make_unique<Holding>(); }});
    const auto project = enginetest::project(
        R"(<variable name="count" type="double" value="0"/><variable name="echo" type="double" value="0"/>)",
        R"(
<sfc name="main"><step name="Count" initial="true" diagram="count" x="0" y="0"/></sfc>
<fbd name="count">
  <block id="read" type="gvread" x="0" y="0"><parameter name="variable" value="count"/></block>
  <block id="one" type="const" x="0" y="0"><parameter name="value" value="1"/></block>
  <block id="next" type="add" x="0" y="0"/>
  <block id="writeCount" type="gvwrite" x="0" y="0"><parameter name="variable" value="count"/></block>
  <block id="hold" type="hold" x="0" y="0"/>
  <block id="writeEcho" type="gvwrite" x="0" y="0"><parameter name="variable" value="echo"/></block>
  <link from="read" fromPort="out" to="next" toPort="a"/>
  <link from="one" fromPort="out" to="next" toPort="b"/>
  <link from="next" fromPort="out" to="writeCount" toPort="in"/>
  <link from="next" fromPort="out" to="hold" toPort="in"/>
  <link from="hold" fromPort="out" to="writeEcho" toPort="in"/>
</fbd>)");
    NewestValues newest;
    for (const char* name : {"count", "echo"})
        project->globalVariable(name)->registerObserver(DataRole::GlobalVariableUpdated, &newest);

    SessionWatcher watcher;
    SimulationThread simulation(project, project->sfcModels().front(), util::XTime(0.01));
    Execution& execution = *simulation.getExecution();
    execution.registerObserver(DataRole::ExecutionSessionAvailable, &watcher);
    execution.start();
    execution.sync();
    ASSERT_TRUE(execution.waitForCycles(2, patience));
    const auto session = watcher.received().front();
    {
        std::unique_lock<std::mutex> lock(Holding::gate.mutex);
        Holding::gate.armed = true;
        ASSERT_TRUE(Holding::gate.changed.wait_for(lock, patience, [] { return Holding::gate.holding; }));
    }

    std::promise<void> polled;
    std::thread poller([&] {
        session->pollHistory();
        polled.set_value();
    });
    // A poll that does not wait for the cycle is done long before this; one that waits is
    // released below either way.
    polled.get_future().wait_for(std::chrono::milliseconds(200));
    {
        std::lock_guard<std::mutex> lock(Holding::gate.mutex);
        Holding::gate.holding = false;
    }
    Holding::gate.changed.notify_all();
    poller.join();

    std::lock_guard<std::mutex> lock(newest.mutex);
    ASSERT_EQ(newest.values.count("count"), 1u);
    EXPECT_EQ(newest.values["echo"], newest.values["count"]);
    execution.terminate();
    execution.sync();
}

} // namespace
