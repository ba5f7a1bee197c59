#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/SetGlobalVariableValue.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

SetGlobalVariableValue::SetGlobalVariableValue(Project* project, const QString& name, const QString& value)
    : Command(project), _name(name), _value(value)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "change variable %1").arg(name));
}

void SetGlobalVariableValue::redo()
{
    const std::string name = _name.toStdString();
    if (const auto variable = project()->kirogenProject()->globalVariable(name))
        _oldValue = variable->initialValue();
    std::string error;
    if (!project()->editor().setInitialValue(name, lum::core::variant::Variant(_value.toStdString()), &error))
        return refuse(error);
    project()->announceGlobalVariableChanged(_name);
}

void SetGlobalVariableValue::undo()
{
    project()->editor().setInitialValue(_name.toStdString(), _oldValue, nullptr);
    project()->announceGlobalVariableChanged(_name);
}

} // namespace lumlink::project::commands
