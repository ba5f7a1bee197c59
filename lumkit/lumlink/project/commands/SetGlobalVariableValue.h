#pragma once

#include <lum/core/Variant.h>
#include <lumlink/project/commands/Command.h>

namespace lumlink::project::commands {

// Changes the initial value of a global variable.
class SetGlobalVariableValue : public Command
{
public:
    SetGlobalVariableValue(Project* project, const QString& name, const QString& value);

    void redo() override;
    void undo() override;

private:
    QString _name;
    QString _value;
    lum::core::variant::Variant _oldValue;
};

} // namespace lumlink::project::commands
