#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

#include <memory>
#include <string>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace kirogen::sdf::actors {

// "devout": sends its input to an output port of one of the project's devices when the
// value changes, so that a device link carries changes rather than one message per cycle.
class DeviceOutput : public Actor
{
public:
    explicit DeviceOutput(const ActorSetup& setup);

    void reset() override;
    void evaluate(double now) override;

private:
    std::shared_ptr<device::model::DeviceInstance> _device;
    std::string _port;
    lum::core::variant::Variant _sent;
    bool _warned = false;
};

} // namespace kirogen::sdf::actors
