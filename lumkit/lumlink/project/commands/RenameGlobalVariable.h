#pragma once

#include <lumlink/project/commands/Command.h>

namespace lumlink::project::commands {

// Renames a global variable that no program uses.
class RenameGlobalVariable : public Command
{
public:
    RenameGlobalVariable(Project* project, const QString& name, const QString& newName);

    void redo() override;
    void undo() override;

private:
    QString _name;
    QString _newName;
};

} // namespace lumlink::project::commands
