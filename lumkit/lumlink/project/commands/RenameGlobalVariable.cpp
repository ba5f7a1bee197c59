#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/RenameGlobalVariable.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

RenameGlobalVariable::RenameGlobalVariable(Project* project, const QString& name, const QString& newName)
    : Command(project), _name(name), _newName(newName)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "rename variable %1").arg(name));
}

void RenameGlobalVariable::redo()
{
    std::string error;
    if (!project()->editor().renameGlobalVariable(_name.toStdString(), _newName.toStdString(), &error))
        return refuse(error);
    project()->announceGlobalVariableRemoved(_name);
    project()->announceGlobalVariableAdded(_newName);
}

void RenameGlobalVariable::undo()
{
    project()->editor().renameGlobalVariable(_newName.toStdString(), _name.toStdString(), nullptr);
    project()->announceGlobalVariableRemoved(_newName);
    project()->announceGlobalVariableAdded(_name);
}

} // namespace lumlink::project::commands
