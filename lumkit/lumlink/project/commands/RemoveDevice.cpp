#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/RemoveDevice.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

RemoveDevice::RemoveDevice(Project* project, Device* device) : Command(project), _device(device)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "remove device %1")
                .arg(device ? device->name() : QString()));
}

void RemoveDevice::redo()
{
    _index = project()->devices().indexOf(_device);
    if (_index < 0)
        return refuse("the device is not part of the project");
    std::string error;
    if (!project()->editor().removeDevice(_device->deviceInstance()->instanceName(), &error))
        return refuse(error);
    // A removed device is no longer connected to anything the project runs.
    _device->deviceInstance()->disconnect();
    project()->takeDevice(_device);
}

void RemoveDevice::undo()
{
    project()->editor().insertDevice(_device->deviceInstance(), static_cast<std::size_t>(_index), nullptr);
    project()->insertDevice(_device, _index);
}

} // namespace lumlink::project::commands
