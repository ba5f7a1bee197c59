#include "tavview/ProjectProtection.h"

#include <lumlink/project/Project.h>

namespace tavview {

QString ProjectProtection::password() const
{
    return _project.password();
}

bool ProjectProtection::passwordValidated() const
{
    return _project.passwordValidated();
}

// A wrong password leaves the project locked; the dialog reads passwordValidated() afterwards.
void ProjectProtection::validatePassword(const QString& password)
{
    _project.validatePassword(password);
}

// A refused change is reported by the project in the message window.
void ProjectProtection::setPassword(const QString& password)
{
    _project.setPassword(password);
}

} // namespace tavview
