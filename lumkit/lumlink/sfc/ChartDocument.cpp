#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/sim/condition/ConditionParser.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/project/Project.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/commands/ChangeChartCommand.h>
#include <lumlink/sfc/commands/RunNewDiagramCommand.h>
#include <QUndoStack>
#include <algorithm>
#include <cmath>

namespace lumlink::sfc {

using kirogen::model::Position;
using kirogen::model::SfcModel;
using kirogen::model::SfcStep;
using kirogen::model::SfcTransition;

namespace {

// What a new transition holds until the user writes its condition.
const char* const AlwaysCondition = "true";
// How far below its step an appended step goes.
constexpr double AppendDistance = 120;

std::shared_ptr<SfcModel> changed(const SfcModel& chart, std::vector<SfcStep> steps,
                                  std::vector<SfcTransition> transitions)
{
    return std::make_shared<SfcModel>(chart.name(), std::move(steps), std::move(transitions), chart.line());
}

Position snapped(const Position& at)
{
    const auto& settings = lum::qt::gui::option::EditorSettings::singleton();
    if (!settings.snapToGrid())
        return at;
    const double grid = settings.gridSize();
    return {std::round(at.x / grid) * grid, std::round(at.y / grid) * grid};
}

} // namespace

ChartDocument::ChartDocument(std::shared_ptr<kirogen::model::Project> project, std::string chartName,
                             QUndoStack* undoStack, QObject* parent)
    : QObject(parent), _project(std::move(project)), _chartName(std::move(chartName)), _undoStack(undoStack)
{
}

ChartDocument::ChartDocument(project::Project* project, std::string chartName, QObject* parent)
    : ChartDocument(project->kirogenProject(), std::move(chartName), project->undoStack(), parent)
{
    setProtectionCheck([project] { return project->isLocked(); });
    connect(this, &ChartDocument::programAdded, project, &project::Project::announceProgramAdded);
    connect(this, &ChartDocument::programRemoved, project, &project::Project::announceProgramRemoved);
    connect(project, &project::Project::programRenamed, this, &ChartDocument::on_programRenamed);
}

void ChartDocument::on_programRenamed(const QString& name, const QString& newName)
{
    if (name.toStdString() == _chartName) {
        _chartName = newName.toStdString();
        emit nameChanged();
    }
    const auto current = chart();
    const std::string diagram = newName.toStdString();
    // The steps that run the renamed diagram show its new name.
    if (current &&
        std::any_of(current->steps().begin(), current->steps().end(),
                    [&diagram](const kirogen::model::SfcStep& step) { return step.diagram == diagram; }))
        emit chartChanged();
}

std::shared_ptr<const SfcModel> ChartDocument::chart() const
{
    for (const auto& chart : _project->sfcModels()) {
        if (chart->name() == _chartName)
            return chart;
    }
    return nullptr;
}

bool ChartDocument::isProtected() const
{
    return _isProtected && _isProtected();
}

void ChartDocument::setProtectionCheck(std::function<bool()> isProtected)
{
    _isProtected = std::move(isProtected);
}

bool ChartDocument::refuse(const QString& reason)
{
    emit editRefused(reason);
    return false;
}

bool ChartDocument::editable()
{
    if (!chart())
        return false;
    if (isProtected())
        return refuse(tr("The project is protected: enter its password to edit it"));
    return true;
}

bool ChartDocument::change(const QString& text, std::shared_ptr<SfcModel> changedChart)
{
    const int before = _undoStack->count();
    _undoStack->push(new commands::ChangeChartCommand(this, text, chart(), std::move(changedChart)));
    return _undoStack->count() > before;
}

std::string ChartDocument::unusedStepName() const
{
    const auto current = chart();
    const std::string stem = tr("Step", "stem of the names of new steps").toStdString();
    for (int number = 1;; ++number) {
        const std::string name = stem + std::to_string(number);
        if (!current->step(name))
            return name;
    }
}

std::string ChartDocument::unusedProgramName(const std::string& stem) const
{
    const kirogen::model::ProjectEditor editor(_project);
    if (!editor.hasProgram(stem))
        return stem;
    for (int number = 2;; ++number) {
        const std::string name = stem + "_" + std::to_string(number);
        if (!editor.hasProgram(name))
            return name;
    }
}

std::string ChartDocument::addStep(const Position& at)
{
    if (!editable())
        return {};
    const auto current = chart();
    SfcStep step;
    step.name = unusedStepName();
    step.position = snapped(at);
    // A chart always has an initial step: the first one placed becomes it.
    step.initial = current->steps().empty();
    std::vector<SfcStep> steps = current->steps();
    steps.push_back(step);
    if (!change(tr("Place step %1").arg(QString::fromStdString(step.name)),
                changed(*current, steps, current->transitions())))
        return {};
    return step.name;
}

std::string ChartDocument::appendStep(const std::string& after)
{
    if (!editable())
        return {};
    const auto current = chart();
    const SfcStep* previous = current->step(after);
    if (!previous)
        return {};
    SfcStep step;
    step.name = unusedStepName();
    step.position = snapped({previous->position.x, previous->position.y + AppendDistance});
    std::vector<SfcStep> steps = current->steps();
    steps.push_back(step);
    std::vector<SfcTransition> transitions = current->transitions();
    transitions.push_back(SfcTransition{after, step.name, AlwaysCondition, 0});
    if (!change(tr("Append step %1").arg(QString::fromStdString(step.name)),
                changed(*current, steps, transitions)))
        return {};
    return step.name;
}

bool ChartDocument::addTransition(const std::string& from, const std::string& to)
{
    if (!editable())
        return false;
    const auto current = chart();
    if (from == to)
        return refuse(tr("A transition leads to another step"));
    const auto& existing = current->transitions();
    if (std::any_of(existing.begin(), existing.end(),
                    [&](const SfcTransition& t) { return t.from == from && t.to == to; }))
        return refuse(tr("Step %1 already leads to step %2: edit that transition's condition instead")
                          .arg(QString::fromStdString(from), QString::fromStdString(to)));
    std::vector<SfcTransition> transitions = existing;
    transitions.push_back(SfcTransition{from, to, AlwaysCondition, 0});
    return change(tr("Link step %1 to step %2").arg(QString::fromStdString(from), QString::fromStdString(to)),
                  changed(*current, current->steps(), transitions));
}

bool ChartDocument::moveSteps(const std::map<std::string, Position>& positions)
{
    if (!editable())
        return false;
    const auto current = chart();
    std::vector<SfcStep> steps = current->steps();
    int moved = 0;
    for (SfcStep& step : steps) {
        const auto found = positions.find(step.name);
        if (found != positions.end() && found->second != step.position) {
            step.position = found->second;
            ++moved;
        }
    }
    if (moved == 0)
        return false;
    return change(moved == 1 ? tr("Move step") : tr("Move %n steps", nullptr, moved),
                  changed(*current, steps, current->transitions()));
}

bool ChartDocument::remove(const std::set<std::string>& stepNames,
                           const std::set<std::size_t>& transitionIndexes)
{
    if (!editable())
        return false;
    const auto current = chart();
    std::vector<SfcStep> steps;
    for (const SfcStep& step : current->steps()) {
        if (!stepNames.count(step.name))
            steps.push_back(step);
        else if (step.initial)
            return refuse(tr("Step %1 is where the chart starts: make another step the initial one first")
                              .arg(QString::fromStdString(step.name)));
    }
    std::vector<SfcTransition> transitions;
    const auto& existing = current->transitions();
    for (std::size_t i = 0; i < existing.size(); ++i) {
        if (!transitionIndexes.count(i) && !stepNames.count(existing[i].from) &&
            !stepNames.count(existing[i].to))
            transitions.push_back(existing[i]);
    }
    const int removed =
        static_cast<int>(current->steps().size() - steps.size() + existing.size() - transitions.size());
    if (removed == 0)
        return false;
    return change(tr("Delete %n element(s)", nullptr, removed), changed(*current, steps, transitions));
}

bool ChartDocument::setInitialStep(const std::string& name)
{
    if (!editable())
        return false;
    const auto current = chart();
    if (!current->step(name) || current->step(name)->initial)
        return false;
    std::vector<SfcStep> steps = current->steps();
    for (SfcStep& step : steps)
        step.initial = step.name == name;
    return change(tr("Make step %1 the initial step").arg(QString::fromStdString(name)),
                  changed(*current, steps, current->transitions()));
}

bool ChartDocument::editStep(const std::string& name, const std::string& newName, const std::string& diagram)
{
    if (!editable())
        return false;
    const auto current = chart();
    const SfcStep* step = current->step(name);
    if (!step)
        return false;
    if (step->name == newName && step->diagram == diagram)
        return false;
    if (QString::fromStdString(newName).trimmed().isEmpty())
        return refuse(tr("A step needs a name"));
    if (newName != name && current->step(newName))
        return refuse(tr("There is already a step %1").arg(QString::fromStdString(newName)));
    std::vector<SfcStep> steps = current->steps();
    for (SfcStep& each : steps) {
        if (each.name == name) {
            each.name = newName;
            each.diagram = diagram;
        }
    }
    std::vector<SfcTransition> transitions = current->transitions();
    for (SfcTransition& transition : transitions) {
        if (transition.from == name)
            transition.from = newName;
        if (transition.to == name)
            transition.to = newName;
    }
    return change(tr("Edit step %1").arg(QString::fromStdString(newName)),
                  changed(*current, steps, transitions));
}

bool ChartDocument::checkCondition(const std::string& condition, QString* error) const
{
    const auto project = _project;
    try {
        kirogen::sim::condition::ConditionParser(
            condition,
            [&project](const std::string& name) -> std::shared_ptr<const kirogen::model::Variable> {
                return project->globalVariable(name);
            })
            .parse();
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

bool ChartDocument::setCondition(std::size_t index, const std::string& condition)
{
    if (!editable())
        return false;
    const auto current = chart();
    if (index >= current->transitions().size() || current->transitions()[index].condition == condition)
        return false;
    QString error;
    if (!checkCondition(condition, &error))
        return refuse(
            tr("The condition \"%1\" is refused: %2").arg(QString::fromStdString(condition), error));
    std::vector<SfcTransition> transitions = current->transitions();
    transitions[index].condition = condition;
    return change(tr("Change condition to %1").arg(QString::fromStdString(condition)),
                  changed(*current, current->steps(), transitions));
}

std::string ChartDocument::diagramOfStep(const std::string& name)
{
    const auto current = chart();
    const SfcStep* step = current ? current->step(name) : nullptr;
    if (!step)
        return {};
    if (!step->diagram.empty())
        return step->diagram;
    if (!editable())
        return {};
    const std::string diagram = unusedProgramName(name);
    const int before = _undoStack->count();
    _undoStack->push(new commands::RunNewDiagramCommand(this, name, diagram));
    return _undoStack->count() > before ? diagram : std::string();
}

bool ChartDocument::replace(const std::shared_ptr<SfcModel>& chart)
{
    std::string error;
    if (!kirogen::model::ProjectEditor(_project).replaceSfc(chart, &error)) {
        emit editRefused(QString::fromStdString(error));
        return false;
    }
    emit chartChanged();
    return true;
}

bool ChartDocument::addDiagram(const std::shared_ptr<kirogen::model::FunctionBlockDiagram>& diagram)
{
    std::string error;
    if (!kirogen::model::ProjectEditor(_project).addDiagram(diagram, &error)) {
        emit editRefused(QString::fromStdString(error));
        return false;
    }
    emit programAdded(QString::fromStdString(diagram->name()));
    return true;
}

bool ChartDocument::removeDiagram(const std::string& name)
{
    std::string error;
    if (!kirogen::model::ProjectEditor(_project).removeDiagram(name, &error)) {
        emit editRefused(QString::fromStdString(error));
        return false;
    }
    emit programRemoved(QString::fromStdString(name));
    return true;
}

} // namespace lumlink::sfc
