#include <kirolab/interpreter/DeviceConnections.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <lum/core/Strings.h>

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cassert>
#include <iostream>
#include <vector>

using kirogen::device::model::DeviceInstance;
using kirogen::observer::DataRole;

namespace kirolab::interpreter {

namespace {

constexpr unsigned long WaitPollMs = 50;
// A device that never reports counts as failed (connecting) or gone (disconnecting).
constexpr int ConnectTimeoutMs = 30000;
constexpr int DisconnectTimeoutMs = 10000;

} // namespace

DeviceConnections::DeviceConnections(std::atomic<bool>& run) : _run(run)
{
}

DeviceConnections::~DeviceConnections() = default;

bool DeviceConnections::connect(const std::shared_ptr<DeviceInstance>& device)
{
    std::cout << "Connecting to device \"" << device->instanceName() << "\"..." << std::flush;
    device->registerObserver(DataRole::DeviceConnected, this);
    device->registerObserver(DataRole::DeviceDisconnected, this);
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _status.insert(device, DEV_STATUS_UNKNOWN);
    }
    device->connect();

    // The outcome arrives from the device's thread; keep the event loop alive meanwhile and
    // give up on a device that never answers.
    QDeadlineTimer deadline(ConnectTimeoutMs);
    DevStatus current = status(device);
    while (_run && current == DEV_STATUS_UNKNOWN && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        lum::core::msleep(WaitPollMs);
        current = status(device);
    }
    device->deregisterObserver(DataRole::DeviceConnected, this);

    if (current == DEV_STATUS_CONNECTED) {
        std::cout << " done." << std::endl;
        return true;
    }
    if (current == DEV_STATUS_UNKNOWN) {
        std::lock_guard<std::mutex> lock(_mutex);
        _status.insert(device, DEV_STATUS_DISCONNECTED);
    }
    std::cout << " failed." << std::endl;
    return false;
}

bool DeviceConnections::startWatching(bool connectedSoFar)
{
    std::lock_guard<std::mutex> lock(_mutex);
    bool connected = connectedSoFar;
    for (const auto& entry : _status)
        connected = connected && entry.second == DEV_STATUS_CONNECTED;
    _watching = connected;
    return connected;
}

void DeviceConnections::disconnectAll()
{
    std::vector<std::shared_ptr<DeviceInstance>> devices;
    {
        std::lock_guard<std::mutex> lock(_mutex);
        for (const auto& entry : _status)
            devices.push_back(entry.first);
    }
    for (const auto& device : devices) {
        device->disconnect();
        QDeadlineTimer deadline(DisconnectTimeoutMs);
        while (status(device) != DEV_STATUS_DISCONNECTED && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            lum::core::msleep(WaitPollMs);
        }
        device->deregisterObserverAllRoles(this);
    }
    std::lock_guard<std::mutex> lock(_mutex);
    _status.clear();
}

void DeviceConnections::on_notify(const DataRole& role, kirogen::observer::Observable* source,
                                  const lum::core::variant::Variant&)
{
    if (role == DataRole::DeviceDisconnected) {
        // One write, so that the line never lands inside a variable line of the output thread.
        if (setStatus(source, DEV_STATUS_DISCONNECTED))
            std::cout << "A device has been disconnected. Program will be terminated.\n" << std::flush;
    } else if (role == DataRole::DeviceConnected) {
        setStatus(source, DEV_STATUS_CONNECTED);
    }
}

DeviceConnections::DevStatus DeviceConnections::status(const std::shared_ptr<DeviceInstance>& device)
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _status.value(device, DEV_STATUS_UNKNOWN);
}

bool DeviceConnections::setStatus(kirogen::observer::Observable* source, DevStatus status)
{
    auto* device = dynamic_cast<DeviceInstance*>(source);
    assert(device && "dev");
    // A device that is going away has no owner left and nobody waits for it.
    const auto owner = device ? device->getPtr() : nullptr;
    if (!owner)
        return false;
    std::lock_guard<std::mutex> lock(_mutex);
    _status.insert(owner, status);
    // Checked under the lock that also guards the end of connecting, so a disconnect is either
    // seen there or ends the run here.
    return status == DEV_STATUS_DISCONNECTED && _watching && _run.exchange(false);
}

} // namespace kirolab::interpreter
