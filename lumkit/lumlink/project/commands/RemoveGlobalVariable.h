#pragma once

#include <lum/core/Variant.h>
#include <lumlink/project/commands/Command.h>
#include <string>

namespace lumlink::project::commands {

// Removes a global variable that no program uses.
class RemoveGlobalVariable : public Command
{
public:
    RemoveGlobalVariable(Project* project, const QString& name);

    void redo() override;
    void undo() override;

private:
    QString _name;
    std::string _typeName;
    lum::core::variant::Variant _initialValue;
};

} // namespace lumlink::project::commands
