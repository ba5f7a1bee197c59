#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/SetPassword.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

SetPassword::SetPassword(Project* project, const QString& password)
    : Command(project), _old(project->kirogenProject()->protection()), _oldPassword(project->password()),
      _oldValidated(project->passwordValidated()), _password(password)
{
    // The key is derived once, so that redo after undo restores the same protection.
    _new.setPassword(password.toStdString());
    setText(password.isEmpty()
                ? QCoreApplication::translate("lumlink::project::commands", "remove the protection")
                : QCoreApplication::translate("lumlink::project::commands", "set the password"));
}

void SetPassword::redo()
{
    project()->editor().setProtection(_new);
    project()->setKnownPassword(_password, true);
}

void SetPassword::undo()
{
    project()->editor().setProtection(_old);
    project()->setKnownPassword(_oldPassword, _oldValidated);
}

} // namespace lumlink::project::commands
