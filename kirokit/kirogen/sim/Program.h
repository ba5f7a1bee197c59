#pragma once

#include <kirogen/sdf/CompiledDiagram.h>
#include <kirogen/sim/RunSnapshot.h>
#include <kirogen/sim/condition/Condition.h>

#include <memory>
#include <string>
#include <vector>

namespace kirogen::model {
class Project;
class SfcModel;
} // namespace kirogen::model

namespace kirogen::sim {

// A sequence chart ready to run. One step is active; each cycle it runs its diagram, then
// the first of its outgoing transitions (in file order) whose condition holds moves the
// chart on, and the next step starts in the following cycle. A step is entered afresh:
// its diagram's timers, counters and delays start from their initial state and its time
// "t" from 0. A step without outgoing transitions stays active.
class Program
{
public:
    // Throws std::runtime_error "<source>:<line>: <fault>".
    Program(const std::shared_ptr<model::Project>& project, const model::SfcModel& chart,
            const std::string& source);
    ~Program();

    // Back to the initial step, to be entered at the next cycle.
    void reset();
    void runCycle(double now);

    const std::string& activeStep() const { return _steps[_active].name; }
    // The active step and the values of its diagram; to be taken between cycles.
    RunSnapshot snapshot() const;

private:
    struct Transition
    {
        std::size_t target;
        condition::Condition condition;
    };

    struct Step
    {
        std::string name;
        std::string diagramName;
        std::unique_ptr<sdf::CompiledDiagram> diagram;
        std::vector<Transition> transitions;
    };

    std::string _chart;
    std::vector<Step> _steps;
    std::size_t _initial = 0;
    std::size_t _active = 0;
    bool _entering = true;
    double _enteredAt = 0.0;
};

} // namespace kirogen::sim
