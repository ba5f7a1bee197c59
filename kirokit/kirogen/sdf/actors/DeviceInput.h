#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

#include <memory>
#include <string>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace kirogen::sdf::actors {

// "devin": the value of an input port of one of the project's devices.
class DeviceInput : public Actor
{
public:
    explicit DeviceInput(const ActorSetup& setup);

    void evaluate(double now) override;

private:
    std::shared_ptr<device::model::DeviceInstance> _device;
    std::string _port;
};

// The project's device named by the block's parameter "device"; throws std::runtime_error
// when there is none.
std::shared_ptr<device::model::DeviceInstance> boundDevice(const ActorSetup& setup);
// The block's parameter "port", checked to name an input (or output) port of the device.
std::string boundPort(const ActorSetup& setup, const device::model::DeviceInstance& device, bool input);

} // namespace kirogen::sdf::actors
