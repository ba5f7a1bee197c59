#include "tavview/AutoStart.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <lum/core/Strings.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMessageBox>

namespace tavview {

using kirogen::observer::DataRole;

AutoStart::AutoStart(std::shared_ptr<kirogen::device::model::DeviceInstance> device, int timeoutMs)
    : _device(std::move(device)), _timeoutMs(timeoutMs)
{
}

bool AutoStart::connect()
{
    if (!_device->deviceType() || !_device->connection())
        return true;
    _device->registerObserver(DataRole(DataRole::DeviceConnected), this);
    _device->registerObserver(DataRole(DataRole::DeviceDisconnected), this);

    // Not held during the call: a device that answers from within connect() must not block.
    _device->connect();
    const QDeadlineTimer deadline(_timeoutMs);
    QMutexLocker lock(&_mutex);
    while (_outcome == Pending && !deadline.hasExpired()) {
        lock.unlock();
        QCoreApplication::processEvents();
        lum::core::msleep(50);
        lock.relock();
    }
    return _outcome == Connected;
}

void AutoStart::on_notify(const DataRole& role, kirogen::observer::Observable*,
                          const lum::core::variant::Variant&)
{
    QMutexLocker lock(&_mutex);
    if (role.value() == DataRole::DeviceConnected)
        _outcome = Connected;
    else if (role.value() == DataRole::DeviceDisconnected)
        _outcome = Disconnected;
}

bool autoStartActiveProject(int timeoutMs)
{
    lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    if (!project || project->isEmpty())
        return false;
    bool allConnected = true;
    for (lumlink::project::Device* device : project->devices()) {
        AutoStart autoStart(device->deviceInstance(), timeoutMs);
        if (!autoStart.connect()) {
            QMessageBox::warning(nullptr, QObject::tr("Error connecting"),
                                 QObject::tr("Failed to connect to device \"%1\".").arg(device->name()));
            allConnected = false;
        }
    }
    if (allConnected)
        project->on_startAll();
    return allConnected;
}

} // namespace tavview
