#pragma once

#include <lum/core/Variant.h>

#include <string>

namespace kirogen::device::model {

// A value the device delivers (input) or receives (output) while a program runs.
struct DevicePort
{
    enum class Direction
    {
        In,
        Out
    };

    std::string name;
    Direction direction = Direction::In;
    std::string typeName;
    // What an input reads before the device has sent anything; empty when not declared.
    lum::core::variant::Variant defaultValue;
};

} // namespace kirogen::device::model
