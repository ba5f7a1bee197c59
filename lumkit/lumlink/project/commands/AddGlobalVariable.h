#pragma once

#include <lumlink/project/commands/Command.h>

namespace lumlink::project::commands {

// Adds a global variable of a type with an initial value.
class AddGlobalVariable : public Command
{
public:
    AddGlobalVariable(Project* project, const QString& name, const QString& typeName, const QString& value);

    void redo() override;
    void undo() override;

private:
    QString _name;
    QString _typeName;
    QString _value;
};

} // namespace lumlink::project::commands
