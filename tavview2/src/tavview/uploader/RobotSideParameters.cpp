#include <tavview/uploader/RobotDevices.h>
#include <tavview/uploader/RobotSideParameters.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <lum/core/Variant.h>
#include <lumlink/project/Device.h>

namespace tavview::uploader {

RobotSideParameters::RobotSideParameters(const QList<lumlink::project::Device*>& devices)
{
    for (lumlink::project::Device* device : devices) {
        const RobotDeviceRule* rule = robotDeviceRule(*device);
        if (!rule || !rule->parameter)
            continue;
        const auto instance = device->deviceInstance();
        Replaced replaced{instance, rule->parameter, instance->parameter(rule->parameter).toString()};
        if (instance->setParameter(replaced.parameter, lum::core::variant::Variant(rule->robotValue)))
            _replaced.push_back(std::move(replaced));
    }
}

RobotSideParameters::~RobotSideParameters()
{
    for (const Replaced& replaced : _replaced)
        replaced.instance->setParameter(replaced.parameter, lum::core::variant::Variant(replaced.userValue));
}

} // namespace tavview::uploader
