#include <kirogen/sdf/actors/DeviceOutput.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/sdf/actors/DeviceInput.h>
#include <kiroutil/log/Log.h>

namespace kirogen::sdf::actors {

DeviceOutput::DeviceOutput(const ActorSetup& setup)
    : _device(boundDevice(setup)), _port(boundPort(setup, *_device, false))
{
}

void DeviceOutput::reset()
{
    _sent = lum::core::variant::Variant();
    _warned = false;
}

void DeviceOutput::evaluate(double)
{
    const lum::core::variant::Variant& value = input(0);
    if (value.isEmpty() || value == _sent)
        return;
    if (_device->writeOutput(_port, value)) {
        _sent = value;
        return;
    }
    // Once per run: the same refusal would otherwise flood the log every cycle.
    if (!_warned)
        kiroutil::Log::singleton().warning("Value '" + value.toString() + "' does not fit output '" + _port +
                                           "' of device '" + _device->instanceName() + "'; not sent");
    _warned = true;
}

} // namespace kirogen::sdf::actors
