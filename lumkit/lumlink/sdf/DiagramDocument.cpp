#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/sdf/DiagramDocument.h>

namespace lumlink::sdf {

DiagramDocument::DiagramDocument(std::shared_ptr<kirogen::model::Project> project, std::string diagramName,
                                 QUndoStack* undoStack, QObject* parent)
    : QObject(parent), _project(std::move(project)), _diagramName(std::move(diagramName)),
      _undoStack(undoStack)
{
}

DiagramDocument::DiagramDocument(project::Project* project, std::string diagramName, QObject* parent)
    : DiagramDocument(project->kirogenProject(), std::move(diagramName), project->undoStack(), parent)
{
    _workbenchProject = project;
    _isProtected = [project] { return project->isLocked(); };
    connect(project, &project::Project::programRenamed, this,
            [this](const QString& name, const QString& newName) {
                if (name.toStdString() != _diagramName)
                    return;
                _diagramName = newName.toStdString();
                emit nameChanged();
            });
}

std::shared_ptr<const kirogen::model::FunctionBlockDiagram> DiagramDocument::diagram() const
{
    return _project->diagram(_diagramName);
}

bool DiagramDocument::isProtected() const
{
    return _isProtected && _isProtected();
}

void DiagramDocument::setProtectionCheck(std::function<bool()> isProtected)
{
    _isProtected = std::move(isProtected);
}

bool DiagramDocument::replace(const std::shared_ptr<kirogen::model::FunctionBlockDiagram>& diagram)
{
    std::string error;
    if (!kirogen::model::ProjectEditor(_project).replaceDiagram(diagram, &error)) {
        emit editRefused(QString::fromStdString(error));
        return false;
    }
    emit diagramChanged();
    return true;
}

std::string DiagramDocument::unusedBlockId(const std::string& stem) const
{
    const auto current = diagram();
    for (int number = 1;; ++number) {
        const std::string id = stem + std::to_string(number);
        if (!current || !current->block(id))
            return id;
    }
}

} // namespace lumlink::sdf
