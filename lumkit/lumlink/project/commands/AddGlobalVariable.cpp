#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/AddGlobalVariable.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

AddGlobalVariable::AddGlobalVariable(Project* project, const QString& name, const QString& typeName,
                                     const QString& value)
    : Command(project), _name(name), _typeName(typeName), _value(value)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "add variable %1").arg(name));
}

void AddGlobalVariable::redo()
{
    std::string error;
    if (!project()->editor().addGlobalVariable(_name.toStdString(), _typeName.toStdString(),
                                               lum::core::variant::Variant(_value.toStdString()), &error))
        return refuse(error);
    project()->announceGlobalVariableAdded(_name);
}

void AddGlobalVariable::undo()
{
    project()->editor().removeGlobalVariable(_name.toStdString(), nullptr);
    project()->announceGlobalVariableRemoved(_name);
}

} // namespace lumlink::project::commands
