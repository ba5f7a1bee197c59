#pragma once

#include <QList>
#include <array>

namespace lumlink::project {
class Device;
}

namespace tavview::uploader {

// A device type that a project run on the robot may hold only a few of, and the parameter that
// names the device as the robot itself reaches it.
struct RobotDeviceRule
{
    const char* typeId;
    int allowed;
    const char* parameter;  // null: nothing to replace
    const char* robotValue; // the parameter's value on the robot
};

const std::array<RobotDeviceRule, 4>& robotDeviceRules();

// The rule for the device's type; null for unlimited types, generic ones and devices without
// a type.
const RobotDeviceRule* robotDeviceRule(const lumlink::project::Device& device);

// The first device, in project order, beyond its type's allowance (any OPC client, a second
// robot, camera or joystick); null when the project may be uploaded.
lumlink::project::Device* firstImproperDevice(const QList<lumlink::project::Device*>& devices);

} // namespace tavview::uploader
