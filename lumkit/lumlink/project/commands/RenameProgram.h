#pragma once

#include <lumlink/project/commands/Command.h>

namespace lumlink::project::commands {

// Renames a diagram or a sequence chart; the steps that run a renamed diagram follow in the
// same step.
class RenameProgram : public Command
{
public:
    RenameProgram(Project* project, const QString& name, const QString& newName);

    void redo() override;
    void undo() override;

private:
    QString _name;
    QString _newName;
};

} // namespace lumlink::project::commands
