#pragma once

#include <lum/core/Variant.h>
#include <lumlink/project/commands/Command.h>

namespace lumlink::project {
class Device;
}

namespace lumlink::project::commands {

// Changes a device's parameter or configuration value, given as text in its type.
class SetDeviceSetting : public Command
{
public:
    enum Kind
    {
        Parameter,
        Configuration
    };

    SetDeviceSetting(Project* project, Device* device, Kind kind, const QString& name, const QString& value);

    void redo() override;
    void undo() override;

private:
    bool apply(const lum::core::variant::Variant& value, std::string* error);

    Device* _device;
    Kind _kind;
    QString _name;
    QString _value;
    lum::core::variant::Variant _oldValue;
};

} // namespace lumlink::project::commands
