#include <kirogen/device/model/DeviceInstance.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DeviceToolbar.h>
#include <lumlink/project/Project.h>

namespace lumlink::project {

const char* const Device::RobotTypeId = "LUM GmbH Tavik";

Device::Device(std::shared_ptr<kirogen::device::model::DeviceInstance> instance, Project* project)
    : QObject(project), _instance(std::move(instance)), _project(project)
{
}

Device* Device::create(std::shared_ptr<kirogen::device::model::DeviceInstance> instance, Project* project)
{
    if (!instance || !project)
        return nullptr;
    return new Device(std::move(instance), project);
}

QString Device::name() const
{
    return QString::fromStdString(_instance->instanceName());
}

bool Device::isRobot() const
{
    const auto type = _instance->deviceType();
    return type && type->xmlId() == RobotTypeId;
}

QWidget* Device::widget(const QString& place, bool compact) const
{
    if (place != QLatin1String("toolbar") || !isRobot())
        return nullptr;
    auto* toolbar = new DeviceToolbar(_instance, compact);
    // The address may be changed in the devices window while the bar shows it.
    connect(_project, &Project::deviceSettingChanged, toolbar, [this, toolbar](Device* device) {
        if (device == this)
            toolbar->showAddress();
    });
    return toolbar;
}

} // namespace lumlink::project
