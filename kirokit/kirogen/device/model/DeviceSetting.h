#pragma once

#include <lum/core/Variant.h>

#include <string>

namespace kirogen::device::model {

// A named, typed value a device type declares: a parameter of its link ("ipAddress") or a
// configuration variable ("disableDriveSystem").
struct DeviceSetting
{
    std::string name;
    std::string typeName;
    lum::core::variant::Variant defaultValue;
};

} // namespace kirogen::device::model
