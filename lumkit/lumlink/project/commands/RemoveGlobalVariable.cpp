#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/RemoveGlobalVariable.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

RemoveGlobalVariable::RemoveGlobalVariable(Project* project, const QString& name)
    : Command(project), _name(name)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "remove variable %1").arg(name));
}

void RemoveGlobalVariable::redo()
{
    const std::string name = _name.toStdString();
    if (const auto variable = project()->kirogenProject()->globalVariable(name)) {
        _typeName = variable->typeName();
        _initialValue = variable->initialValue();
    }
    std::string error;
    if (!project()->editor().removeGlobalVariable(name, &error))
        return refuse(error);
    project()->announceGlobalVariableRemoved(_name);
}

void RemoveGlobalVariable::undo()
{
    project()->editor().addGlobalVariable(_name.toStdString(), _typeName, _initialValue, nullptr);
    project()->announceGlobalVariableAdded(_name);
}

} // namespace lumlink::project::commands
