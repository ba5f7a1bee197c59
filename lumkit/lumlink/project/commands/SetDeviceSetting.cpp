#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/SetDeviceSetting.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

SetDeviceSetting::SetDeviceSetting(Project* project, Device* device, Kind kind, const QString& name,
                                   const QString& value)
    : Command(project), _device(device), _kind(kind), _name(name), _value(value)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "change %1 of device %2")
                .arg(name, device ? device->name() : QString()));
}

void SetDeviceSetting::redo()
{
    if (!_device || !project()->devices().contains(_device))
        return refuse("the device is not part of the project");
    const auto instance = _device->deviceInstance();
    const std::string name = _name.toStdString();
    if (_kind == Parameter) {
        _oldValue = instance->parameter(name);
    } else if (const auto variable = instance->configVariable(name)) {
        _oldValue = variable->initialValue();
    }
    std::string error;
    if (!apply(lum::core::variant::Variant(_value.toStdString()), &error))
        return refuse(error);
    project()->announceDeviceSettingChanged(_device, _name);
}

void SetDeviceSetting::undo()
{
    apply(_oldValue, nullptr);
    project()->announceDeviceSettingChanged(_device, _name);
}

bool SetDeviceSetting::apply(const lum::core::variant::Variant& value, std::string* error)
{
    const std::string device = _device->deviceInstance()->instanceName();
    auto& editor = project()->editor();
    return _kind == Parameter ? editor.setDeviceParameter(device, _name.toStdString(), value, error)
                              : editor.setDeviceConfigValue(device, _name.toStdString(), value, error);
}

} // namespace lumlink::project::commands
