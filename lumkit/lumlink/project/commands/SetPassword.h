#pragma once

#include <kirogen/model/Protection.h>
#include <lumlink/project/commands/Command.h>

namespace lumlink::project::commands {

// Protects the project with a password, or removes the protection (empty password).
class SetPassword : public Command
{
public:
    SetPassword(Project* project, const QString& password);

    void redo() override;
    void undo() override;

private:
    kirogen::model::Protection _old;
    kirogen::model::Protection _new;
    QString _oldPassword;
    bool _oldValidated;
    QString _password;
};

} // namespace lumlink::project::commands
