#include <tavview/uploader/RobotDevices.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <lumlink/project/Device.h>
#include <QHash>
#include <QString>

namespace tavview::uploader {

const std::array<RobotDeviceRule, 4>& robotDeviceRules()
{
    static const std::array<RobotDeviceRule, 4> rules = {{
        {"LUM GmbH Tavik", 1, "ipAddress", "127.0.0.1"},
        {"LUM GmbH Local Camera", 1, "selectedCamera", "/dev/video1"},
        {"LUM GmbH Joystick", 1, "name", "/dev/input/js0"},
        {"LUM GmbH OPC Client", 0, nullptr, nullptr},
    }};
    return rules;
}

const RobotDeviceRule* robotDeviceRule(const lumlink::project::Device& device)
{
    const auto instance = device.deviceInstance();
    const auto type = instance ? instance->deviceType() : nullptr;
    if (!type || type->isGeneric())
        return nullptr;
    for (const RobotDeviceRule& rule : robotDeviceRules()) {
        if (type->xmlId() == rule.typeId)
            return &rule;
    }
    return nullptr;
}

lumlink::project::Device* firstImproperDevice(const QList<lumlink::project::Device*>& devices)
{
    QHash<const RobotDeviceRule*, int> left;
    for (const RobotDeviceRule& rule : robotDeviceRules())
        left.insert(&rule, rule.allowed);
    for (lumlink::project::Device* device : devices) {
        const RobotDeviceRule* rule = robotDeviceRule(*device);
        if (!rule)
            continue;
        int& count = left[rule];
        if (count == 0)
            return device;
        --count;
    }
    return nullptr;
}

} // namespace tavview::uploader
