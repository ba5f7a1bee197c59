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

DeviceInput::DeviceInput(const ActorSetup& setup) : _device(boundDevice(setup)), _port(setup.text("port"))
{
}

void DeviceInput::evaluate(double)
{
    output(0) = _device->readInput(_port);
}

} // namespace kirogen::sdf::actors
