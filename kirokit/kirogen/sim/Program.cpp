#include <kirogen/sim/Program.h>

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/sim/condition/ConditionParser.h>

#include <map>
#include <stdexcept>

namespace kirogen::sim {

namespace {

// The start of an overlong condition, so that its fault stays a readable line.
std::string excerpt(const std::string& condition)
{
    constexpr std::size_t shown = 60;
    return condition.size() <= shown ? condition : condition.substr(0, shown) + "...";
}

} // namespace

Program::Program(const std::shared_ptr<model::Project>& project, const model::SfcModel& chart,
                 const std::string& source)
    : _chart(chart.name())
{
    const auto fault = [&source](int line, const std::string& message) {
        return std::runtime_error(source + ":" + std::to_string(line) + ": " + message);
    };
    const std::string chartName = "sequence chart '" + chart.name() + "'";

    std::map<std::string, std::size_t> indexByName;
    bool haveInitial = false;
    for (const model::SfcStep& step : chart.steps()) {
        if (!indexByName.emplace(step.name, _steps.size()).second)
            throw fault(step.line, chartName + " has two steps named '" + step.name + "'");
        if (step.initial) {
            if (haveInitial)
                throw fault(step.line, chartName + " has a second initial step '" + step.name + "'");
            haveInitial = true;
            _initial = _steps.size();
        }
        Step compiled{step.name, step.diagram, nullptr, {}};
        if (!step.diagram.empty()) {
            const auto diagram = project->diagram(step.diagram);
            if (!diagram)
                throw fault(step.line,
                            "step '" + step.name + "' runs the unknown diagram '" + step.diagram + "'");
            compiled.diagram = std::make_unique<sdf::CompiledDiagram>(*diagram, project, source);
        }
        _steps.push_back(std::move(compiled));
    }
    if (!haveInitial)
        throw fault(chart.line(), chartName + " has no initial step");

    const auto lookup = [&project](const std::string& name) -> std::shared_ptr<const model::Variable> {
        return project->globalVariable(name);
    };
    for (const model::SfcTransition& transition : chart.transitions()) {
        const auto from = indexByName.find(transition.from);
        const auto to = indexByName.find(transition.to);
        if (from == indexByName.end())
            throw fault(transition.line, "transition from the unknown step '" + transition.from + "'");
        if (to == indexByName.end())
            throw fault(transition.line, "transition to the unknown step '" + transition.to + "'");
        try {
            _steps[from->second].transitions.push_back(
                {to->second, condition::ConditionParser(transition.condition, lookup).parse()});
        } catch (const std::runtime_error& e) {
            throw fault(transition.line, "condition '" + excerpt(transition.condition) +
                                             "' of the transition '" + transition.from + "' -> '" +
                                             transition.to + "': " + e.what());
        }
    }
    reset();
}

Program::~Program() = default;

void Program::reset()
{
    _active = _initial;
    _entering = true;
}

RunSnapshot Program::snapshot() const
{
    const Step& step = _steps[_active];
    RunSnapshot snapshot{_chart, step.name, step.diagramName, nullptr, {}};
    // A step about to be entered still holds the values of its previous turn.
    if (step.diagram && !_entering) {
        snapshot.ports = step.diagram->outputPorts();
        snapshot.values = step.diagram->outputValues();
    }
    return snapshot;
}

void Program::runCycle(double now)
{
    Step& step = _steps[_active];
    if (_entering) {
        _entering = false;
        _enteredAt = now;
        if (step.diagram)
            step.diagram->reset();
    }
    if (step.diagram)
        step.diagram->runCycle(now);
    const double stepTime = now - _enteredAt;
    for (const Transition& transition : step.transitions) {
        if (transition.condition.holds(stepTime)) {
            _active = transition.target;
            _entering = true;
            return;
        }
    }
}

} // namespace kirogen::sim
