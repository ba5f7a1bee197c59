#pragma once

#include <QString>

// The protection of the active project as the protection dialog sees it: an empty password
// means unprotected; validating the right password unlocks the protection settings.
class PasswordProtection
{
public:
    virtual ~PasswordProtection() = default;

    virtual QString password() const = 0;
    virtual bool passwordValidated() const = 0;
    virtual void validatePassword(const QString& password) = 0;
    // An empty password removes the protection.
    virtual void setPassword(const QString& password) = 0;
};
