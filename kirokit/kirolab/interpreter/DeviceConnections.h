#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <lum/core/Map.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace kirolab::interpreter {

// Connects the project's devices one after another and follows them: once every device is
// connected, a device that disconnects ends the run.
class DeviceConnections : public kirogen::observer::Observer
{
public:
    enum DevStatus
    {
        DEV_STATUS_UNKNOWN = 0,
        DEV_STATUS_CONNECTED = 1,
        DEV_STATUS_DISCONNECTED = 2,
    };

    // run is the interpreter's run flag: clearing it stops a wait for a device, and a
    // disconnect during the run clears it.
    explicit DeviceConnections(std::atomic<bool>& run);
    ~DeviceConnections() override;

    // Connects and waits for the outcome, printing the device's line. True when connected.
    bool connect(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device);

    // Called once every device was asked: true when the devices so far connected, and still
    // are (a device may have dropped while later ones connected). From then on a disconnect
    // ends the run.
    bool startWatching(bool connectedSoFar);

    // Disconnects every device asked to connect and waits (bounded) for each to report it.
    void disconnectAll();

    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

private:
    DevStatus status(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device);
    // True when this disconnect ends the run.
    bool setStatus(kirogen::observer::Observable* source, DevStatus status);

    std::atomic<bool>& _run;
    std::mutex _mutex;
    lum::core::Map<std::shared_ptr<kirogen::device::model::DeviceInstance>, DevStatus> _status;
    // Guarded by _mutex, like _status.
    bool _watching = false;
};

} // namespace kirolab::interpreter
