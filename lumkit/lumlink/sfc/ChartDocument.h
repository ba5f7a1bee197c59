#pragma once

#include <kirogen/model/Position.h>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

class QUndoStack;

namespace kirogen::model {
class FunctionBlockDiagram;
class Project;
class SfcModel;
} // namespace kirogen::model

namespace lumlink::project {
class Project;
}

namespace lumlink::sfc {

// What a sequence chart editor needs of its project: the chart it shows, the undo stack its edits
// go on, and whether the project is protected. The edits below are each one undo step; they are
// refused (false, editRefused() with the reason) while protected or when the runtime model's
// editing interface refuses the changed chart, which then never reaches the model.
class ChartDocument : public QObject
{
    Q_OBJECT

public:
    ChartDocument(std::shared_ptr<kirogen::model::Project> project, std::string chartName,
                  QUndoStack* undoStack, QObject* parent = nullptr);
    // On a workbench project: its undo stack, its lock, and its announcements of added programs.
    ChartDocument(project::Project* project, std::string chartName, QObject* parent = nullptr);

    const std::string& chartName() const { return _chartName; }
    std::shared_ptr<kirogen::model::Project> project() const { return _project; }
    QUndoStack* undoStack() const { return _undoStack; }
    // Null once the chart has left the project.
    std::shared_ptr<const kirogen::model::SfcModel> chart() const;

    bool isProtected() const;
    void setProtectionCheck(std::function<bool()> isProtected);

    // The name of the new step, or empty when refused.
    std::string addStep(const kirogen::model::Position& at);
    // A new step below the given one, reached from it by a transition.
    std::string appendStep(const std::string& after);
    // A transition whose condition always holds until the user edits it.
    bool addTransition(const std::string& from, const std::string& to);
    bool moveSteps(const std::map<std::string, kirogen::model::Position>& positions);
    // Steps take their transitions with them; transitions by index in the chart.
    bool remove(const std::set<std::string>& steps, const std::set<std::size_t>& transitions);
    bool setInitialStep(const std::string& step);
    // Renames the step (its transitions follow) and sets the diagram it runs ("" for none).
    bool editStep(const std::string& step, const std::string& newName, const std::string& diagram);
    bool setCondition(std::size_t transition, const std::string& condition);
    // The diagram the step runs; a new, empty one made for it first when it runs none.
    // Empty when refused.
    std::string diagramOfStep(const std::string& step);

    // Whether the runtime's condition parser accepts the condition for this project; its
    // message in *error otherwise.
    bool checkCondition(const std::string& condition, QString* error) const;

    // For commands: put the changed chart in place (false and editRefused() when the model
    // refuses it), and add or remove a diagram.
    bool replace(const std::shared_ptr<kirogen::model::SfcModel>& chart);
    bool addDiagram(const std::shared_ptr<kirogen::model::FunctionBlockDiagram>& diagram);
    bool removeDiagram(const std::string& name);

signals:
    void chartChanged();
    void editRefused(const QString& reason);
    void programAdded(const QString& name);
    void programRemoved(const QString& name);
    // The chart was renamed (also by an undo or redo).
    void nameChanged();

private:
    // Pushes the chart as one undo step with the text; false when refused.
    bool change(const QString& text, std::shared_ptr<kirogen::model::SfcModel> changed);
    bool refuse(const QString& reason);
    bool editable();
    // Follows a renamed program: the chart's own name, or a diagram its steps run.
    void on_programRenamed(const QString& name, const QString& newName);
    std::string unusedStepName() const;
    std::string unusedProgramName(const std::string& stem) const;

    std::shared_ptr<kirogen::model::Project> _project;
    std::string _chartName;
    QUndoStack* _undoStack;
    std::function<bool()> _isProtected;
};

} // namespace lumlink::sfc
