#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QMutex>
#include <memory>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace tavview {

// Connects one device and waits for its answer while the application stays responsive.
class AutoStart : public kirogen::observer::Observer
{
public:
    // The interpreter waits as long for a device.
    static constexpr int DefaultTimeoutMs = 30000;

    explicit AutoStart(std::shared_ptr<kirogen::device::model::DeviceInstance> device,
                       int timeoutMs = DefaultTimeoutMs);

    // True when the device needs no connection or reported that it connected; false when it
    // reported that it disconnected or did not answer in time.
    bool connect();

    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

private:
    enum Outcome
    {
        Pending = 0,
        Connected = 1,
        Disconnected = 2,
    };

    std::shared_ptr<kirogen::device::model::DeviceInstance> _device;
    int _timeoutMs;
    int _outcome = Pending;
    QMutex _mutex;
};

// Connects every device of the active project in order and starts the project when all of
// them connected; warns once for each device that did not. Returns whether it started.
bool autoStartActiveProject(int timeoutMs = AutoStart::DefaultTimeoutMs);

} // namespace tavview
