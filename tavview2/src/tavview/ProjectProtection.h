#pragma once

#include "tavview/PasswordProtection.h"

namespace lumlink::project {
class Project;
}

namespace tavview {

// The protection dialog's view of a workbench project.
class ProjectProtection : public PasswordProtection
{
public:
    explicit ProjectProtection(lumlink::project::Project& project) : _project(project) {}

    QString password() const override;
    bool passwordValidated() const override;
    void validatePassword(const QString& password) override;
    void setPassword(const QString& password) override;

private:
    lumlink::project::Project& _project;
};

} // namespace tavview
