#include <kirogen/sdf/actors/DeviceOutput.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/sdf/actors/DeviceInput.h>

namespace kirogen::sdf::actors {

DeviceOutput::DeviceOutput(const ActorSetup& setup) : _device(boundDevice(setup)), _port(setup.text("port"))
{
}

void DeviceOutput::reset()
{
    _sent = lum::core::variant::Variant();
}

void DeviceOutput::evaluate(double)
{
    const lum::core::variant::Variant& value = input(0);
    if (value.isEmpty() || value == _sent)
        return;
    _device->writeOutput(_port, value);
    _sent = value;
}

} // namespace kirogen::sdf::actors
