#include "../EngineTestSupport.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/sim/Execution.h>
#include <kirogen/sim/SimulationThread.h>
#include <kirogen/sim/session/ExecutionSession.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <gtest/gtest.h>

#include <thread>

using kirogen::observer::DataRole;
using kirogen::sim::SimulationThread;
using kirogen::sim::session::ExecutionSession;
using lum::core::variant::Variant;

namespace {

const char* const variables = "<variable name=\"phase\" type=\"int\" value=\"0\"/>"
                              "<variable name=\"lamp\" type=\"bool\" value=\"false\"/>"
                              "<variable name=\"speed\" type=\"double\" value=\"0\"/>";

// Wait: phase 1, lamp = timer(1 s). Go: phase 2. Stop: nothing, and back to Wait when
// speed turns negative.
const char* const chart = R"(
<sfc name="main">
  <step name="Wait" initial="true" diagram="waiting" x="0" y="0"/>
  <step name="Go" diagram="going" x="0" y="0"/>
  <step name="Stop" x="0" y="0"/>
  <transition from="Wait" to="Go" condition="lamp &amp;&amp; t &gt;= 1"/>
  <transition from="Go" to="Stop" condition="speed &gt; 0"/>
  <transition from="Go" to="Wait" condition="speed &gt; 0"/>
  <transition from="Stop" to="Wait" condition="speed &lt; 0"/>
</sfc>
<fbd name="waiting">
  <block id="one" type="const" x="0" y="0"><parameter name="type" value="int"/><parameter name="value" value="1"/></block>
  <block id="on" type="const" x="0" y="0"><parameter name="type" value="bool"/><parameter name="value" value="true"/></block>
  <block id="timer" type="ton" x="0" y="0"><parameter name="pt" value="1"/></block>
  <block id="writePhase" type="gvwrite" x="0" y="0"><parameter name="variable" value="phase"/></block>
  <block id="writeLamp" type="gvwrite" x="0" y="0"><parameter name="variable" value="lamp"/></block>
  <link from="one" fromPort="out" to="writePhase" toPort="in"/>
  <link from="on" fromPort="out" to="timer" toPort="in"/>
  <link from="timer" fromPort="q" to="writeLamp" toPort="in"/>
</fbd>
<fbd name="going">
  <block id="two" type="const" x="0" y="0"><parameter name="type" value="int"/><parameter name="value" value="2"/></block>
  <block id="writePhase" type="gvwrite" x="0" y="0"><parameter name="variable" value="phase"/></block>
  <link from="two" fromPort="out" to="writePhase" toPort="in"/>
</fbd>
)";

// Records the session announced by the execution and the variable updates it delivers.
struct Watcher : kirogen::observer::Observer
{
    std::shared_ptr<ExecutionSession> session;
    std::vector<std::pair<std::string, Variant>> updates;
    std::vector<std::thread::id> threads;

    void on_notify(const DataRole& role, kirogen::observer::Observable*, const Variant& value) override
    {
        if (role == DataRole::ExecutionSessionAvailable) {
            session = value.get<std::shared_ptr<ExecutionSession>>();
        } else if (role == DataRole::GlobalVariableUpdated) {
            const auto buffers = value.get<std::pair<std::shared_ptr<plugin::gui::VariableHistoryBuffer>,
                                                     std::shared_ptr<plugin::gui::PropertyBuffer>>>();
            updates.emplace_back(buffers.second->name(), buffers.first->last());
            threads.push_back(std::this_thread::get_id());
        }
    }
};

class ProgramTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { enginetest::loadSystem(); }

    ProgramTest() : _project(enginetest::project(variables, chart)) {}

    std::unique_ptr<SimulationThread> thread()
    {
        return std::make_unique<SimulationThread>(_project, _project->sfcModels().front(), util::XTime(0.01));
    }

    Variant get(const std::string& name) { return _project->globalVariable(name)->value(); }
    void set(const std::string& name, const Variant& value) { _project->globalVariable(name)->write(value); }

    std::string loadError(const std::string& programs)
    {
        try {
            const auto project = enginetest::project(variables, programs);
            SimulationThread(project, project->sfcModels().front(), util::XTime(0.01));
        } catch (const std::exception& e) {
            return e.what();
        }
        ADD_FAILURE() << "loaded";
        return std::string();
    }

    std::shared_ptr<kirogen::model::Project> _project;
};

TEST_F(ProgramTest, StepsAndTransitionsFollowTimersAndVariables)
{
    const auto simulation = thread();
    auto& execution = *simulation->getExecution();
    const util::XTime half(0.5);

    execution.step(half); // t = 0 in Wait
    EXPECT_EQ(execution.activeStep(), "Wait");
    EXPECT_EQ(get("phase"), Variant(1));
    EXPECT_EQ(get("lamp"), Variant(false));
    execution.step(half); // 0.5
    EXPECT_EQ(execution.activeStep(), "Wait");
    execution.step(half); // 1.0: the timer ends, the transition fires after the diagram ran
    EXPECT_EQ(get("lamp"), Variant(true));
    EXPECT_EQ(execution.activeStep(), "Go");
    EXPECT_EQ(get("phase"), Variant(1)); // Go runs from the next cycle on
    execution.step(half);
    EXPECT_EQ(get("phase"), Variant(2));
    EXPECT_EQ(execution.activeStep(), "Go");

    set("speed", 3.0);
    execution.step(half); // of two transitions that hold, the first in the file wins
    EXPECT_EQ(execution.activeStep(), "Stop");
    for (int i = 0; i < 10; ++i)
        execution.step(half);
    EXPECT_EQ(execution.activeStep(), "Stop"); // no transition holds: it stays
    EXPECT_EQ(execution.runTime(), util::XTime(7.0));

    // Back in Wait, the timer starts afresh rather than remembering the earlier run.
    set("speed", -1.0);
    execution.step(half);
    EXPECT_EQ(execution.activeStep(), "Wait");
    execution.step(half);
    EXPECT_EQ(get("lamp"), Variant(false));
    execution.step(half);
    execution.step(half);
    EXPECT_EQ(get("lamp"), Variant(true));
    EXPECT_EQ(execution.activeStep(), "Go");
}

// The value a snapshot holds for a block's output port; empty when it holds none.
Variant outputValue(const kirogen::sim::RunSnapshot& run, const std::string& block, const std::string& port)
{
    if (!run.ports)
        return Variant();
    EXPECT_EQ(run.ports->size(), run.values.size());
    for (std::size_t index = 0; index < run.ports->size(); ++index) {
        if ((*run.ports)[index].block == block && (*run.ports)[index].port == port)
            return run.values[index];
    }
    return Variant();
}

TEST_F(ProgramTest, SnapshotsShowTheActiveStepAndTheOutputsOfItsDiagram)
{
    const auto simulation = thread();
    auto& execution = *simulation->getExecution();
    const util::XTime half(0.5);

    // Before the first cycle: the initial step, no values yet.
    auto run = execution.snapshot();
    EXPECT_EQ(run.chart, "main");
    EXPECT_EQ(run.activeStep, "Wait");
    EXPECT_EQ(run.diagram, "waiting");
    EXPECT_TRUE(run.values.empty());

    execution.step(half);
    run = execution.snapshot();
    EXPECT_EQ(outputValue(run, "one", "out"), Variant(1));
    EXPECT_EQ(outputValue(run, "on", "out"), Variant(true));
    EXPECT_EQ(outputValue(run, "timer", "q"), Variant(false));
    execution.step(half);
    execution.step(half);
    // The transition fired: Go is active but has not run yet, so it shows nothing.
    run = execution.snapshot();
    EXPECT_EQ(run.activeStep, "Go");
    EXPECT_EQ(run.diagram, "going");
    EXPECT_TRUE(run.values.empty());
    execution.step(half);
    run = execution.snapshot();
    EXPECT_EQ(outputValue(run, "two", "out"), Variant(2));
    EXPECT_TRUE(outputValue(run, "one", "out").isEmpty());

    // A step without a diagram.
    set("speed", 3.0);
    execution.step(half);
    run = execution.snapshot();
    EXPECT_EQ(run.activeStep, "Stop");
    EXPECT_TRUE(run.diagram.empty());
    EXPECT_FALSE(run.ports);
}

TEST_F(ProgramTest, PollHistoryDeliversEachUpdatedVariableOnceWithItsNewestValue)
{
    set("speed", 9.0); // before the run: not an update of the run
    const auto simulation = thread();
    auto& execution = *simulation->getExecution();
    Watcher watcher;
    execution.registerObserver(DataRole::ExecutionSessionAvailable, &watcher);
    for (const auto& entry : _project->globalVariables())
        entry.second->registerObserver(DataRole::GlobalVariableUpdated, &watcher);

    execution.step(util::XTime(0.5));
    ASSERT_TRUE(watcher.session);
    EXPECT_TRUE(watcher.updates.empty()); // delivered only when polled

    watcher.session->pollHistory();
    EXPECT_EQ(watcher.updates, (std::vector<std::pair<std::string, Variant>>{{"phase", Variant(1)}}));

    watcher.updates.clear();
    execution.step(util::XTime(0.5));
    watcher.session->pollHistory();
    EXPECT_TRUE(watcher.updates.empty()); // nothing changed

    set("speed", 1.0);
    set("speed", 2.0);
    execution.step(util::XTime(0.5)); // lamp turns true
    watcher.session->pollHistory();
    watcher.session->pollHistory();
    EXPECT_EQ(watcher.updates, (std::vector<std::pair<std::string, Variant>>{{"lamp", Variant(true)},
                                                                             {"speed", Variant(2.0)}}));
    for (const auto& id : watcher.threads)
        EXPECT_EQ(id, std::this_thread::get_id());
}

TEST_F(ProgramTest, FaultsOfTheChartNameFileAndLine)
{
    std::string error = loadError(R"(<sfc name="main">
<step name="A" initial="true" x="0" y="0"/>
<step name="B" x="0" y="0"/>
<transition from="A" to="B" condition="t &gt;= "/>
</sfc>)");
    EXPECT_EQ(error, "test.tkp2:8: condition 't >= ' of the transition 'A' -> 'B': column 6: a value is "
                     "missing at the end");

    error = loadError(R"(<sfc name="main">
<step name="A" initial="true" x="0" y="0"/>
<step name="B" x="0" y="0"/>
<transition from="A" to="B" condition="distance &gt; 2"/>
</sfc>)");
    EXPECT_EQ(error,
              "test.tkp2:8: condition 'distance > 2' of the transition 'A' -> 'B': column 1: unknown global "
              "variable 'distance'");

    const auto project = enginetest::project(variables, chart);
    EXPECT_THROW(SimulationThread(project, nullptr, util::XTime(0.01)), std::invalid_argument);
    EXPECT_THROW(SimulationThread(project, project->sfcModels().front(), util::XTime(0)),
                 std::invalid_argument);
}

TEST_F(ProgramTest, HugeConditionsAreLoadErrorsNotCrashes)
{
    const auto withCondition = [](const std::string& condition) {
        return "<sfc name=\"main\">\n<step name=\"A\" initial=\"true\" x=\"0\" y=\"0\"/>\n"
               "<step name=\"B\" x=\"0\" y=\"0\"/>\n<transition from=\"A\" to=\"B\" condition=\"" +
               condition + "\"/>\n</sfc>";
    };
    std::string nested;
    for (int i = 0; i < 200000; ++i)
        nested += '(';
    nested += "true";
    nested.append(200000, ')');
    std::string sum = "phase";
    for (int i = 0; i < 300000; ++i)
        sum += " + 1";
    sum += " &gt; 0";

    for (const std::string& condition : {nested, sum}) {
        EXPECT_EQ(loadError(withCondition(condition)),
                  "test.tkp2:8: condition '" + condition.substr(0, 60) +
                      "...' of the transition 'A' -> 'B': column 4097: the condition is longer than 4096 "
                      "characters");
    }
}

TEST_F(ProgramTest, ChartsBuiltInCodeAreCheckedToo)
{
    // The project reader refuses these already; charts made by the workbench's editors reach
    // the engine without it.
    using kirogen::model::SfcModel;
    using kirogen::model::SfcStep;
    using kirogen::model::SfcTransition;
    const auto compile = [this](const SfcModel& chart) {
        try {
            kirogen::sim::Execution(_project, chart, util::XTime(0.01), "made.tkp2");
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("compiled");
    };
    EXPECT_EQ(compile(SfcModel("c", {SfcStep{"A", false, "", {}, 3}}, {}, 2)),
              "made.tkp2:2: sequence chart 'c' has no initial step");
    EXPECT_EQ(compile(SfcModel("c", {SfcStep{"A", true, "", {}, 3}, SfcStep{"B", true, "", {}, 4}}, {}, 2)),
              "made.tkp2:4: sequence chart 'c' has a second initial step 'B'");
    EXPECT_EQ(compile(SfcModel("c", {SfcStep{"A", true, "nowhere", {}, 3}}, {}, 2)),
              "made.tkp2:3: step 'A' runs the unknown diagram 'nowhere'");
    EXPECT_EQ(
        compile(SfcModel("c", {SfcStep{"A", true, "", {}, 3}}, {SfcTransition{"A", "Z", "true", 5}}, 2)),
        "made.tkp2:5: transition to the unknown step 'Z'");
}

} // namespace
