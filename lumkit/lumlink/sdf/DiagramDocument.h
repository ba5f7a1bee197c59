#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QUndoStack;

namespace kirogen::model {
class FunctionBlockDiagram;
class Project;
} // namespace kirogen::model

namespace lumlink::project {
class Project;
}

namespace lumlink::sdf {

// What a function-block editor needs of its project: the diagram it shows, the undo stack its
// edits go on, and whether the project is protected. Every change goes through replace(), which
// asks the runtime model's editing interface and leaves the model untouched when it refuses.
class DiagramDocument : public QObject
{
    Q_OBJECT

public:
    DiagramDocument(std::shared_ptr<kirogen::model::Project> project, std::string diagramName,
                    QUndoStack* undoStack, QObject* parent = nullptr);
    // A diagram of a workbench project: its undo stack, its protection and its clipboard.
    DiagramDocument(project::Project* project, std::string diagramName, QObject* parent = nullptr);

    const std::string& diagramName() const { return _diagramName; }
    std::shared_ptr<kirogen::model::Project> project() const { return _project; }
    QUndoStack* undoStack() const { return _undoStack; }
    // Null for a diagram of a bare model: it has no clipboard then.
    project::Project* workbenchProject() const { return _workbenchProject; }
    // Null once the diagram has left the project.
    std::shared_ptr<const kirogen::model::FunctionBlockDiagram> diagram() const;

    // True while the project's password is set and not validated; edits are then not offered.
    bool isProtected() const;
    void setProtectionCheck(std::function<bool()> isProtected);

    // Puts the changed diagram in place; false and editRefused() with the reason when the model
    // refuses it.
    bool replace(const std::shared_ptr<kirogen::model::FunctionBlockDiagram>& diagram);

    // A block id of the diagram not yet taken, made from the stem.
    std::string unusedBlockId(const std::string& stem) const;

signals:
    void diagramChanged();
    void editRefused(const QString& reason);
    // The diagram was renamed (also by an undo or redo).
    void nameChanged();

private:
    std::shared_ptr<kirogen::model::Project> _project;
    std::string _diagramName;
    QUndoStack* _undoStack;
    project::Project* _workbenchProject = nullptr;
    std::function<bool()> _isProtected;
};

} // namespace lumlink::sdf
