#include <kirogen/sdf/actors/DeviceInput.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/Project.h>

#include <stdexcept>

namespace kirogen::sdf::actors {

std::shared_ptr<device::model::DeviceInstance> boundDevice(const ActorSetup& setup)
{
    const std::string name = setup.text("device");
    if (setup.project()) {
        if (auto device = setup.project()->device(name))
            return device;
    }
    throw std::runtime_error("the project has no device '" + name + "'");
}

std::string boundPort(const ActorSetup& setup, const device::model::DeviceInstance& device, bool input)
{
    const std::string name = setup.text("port");
    const device::model::DevicePort* port = device.deviceType()->port(name);
    const auto direction =
        input ? device::model::DevicePort::Direction::In : device::model::DevicePort::Direction::Out;
    if (!port || port->direction != direction)
        throw std::runtime_error("device '" + device.instanceName() + "' has no " +
                                 (input ? "input" : "output") + " port '" + name + "'");
    return name;
}

DeviceInput::DeviceInput(const ActorSetup& setup)
    : _device(boundDevice(setup)), _port(boundPort(setup, *_device, true))
{
}

void DeviceInput::evaluate(double)
{
    output(0) = _device->readInput(_port);
}

} // namespace kirogen::sdf::actors
