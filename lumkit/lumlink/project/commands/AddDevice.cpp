#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/AddDevice.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

AddDevice::AddDevice(Project* project, Device* device) : Command(project), _device(device)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "add device %1")
                .arg(device ? device->name() : QString()));
}

void AddDevice::redo()
{
    if (!_device)
        return refuse("there is no device to add");
    std::string error;
    const std::size_t end = project()->kirogenProject()->devices().size();
    if (!project()->editor().insertDevice(_device->deviceInstance(), end, &error))
        return refuse(error);
    project()->insertDevice(_device, project()->devices().size());
}

void AddDevice::undo()
{
    project()->editor().removeDevice(_device->deviceInstance()->instanceName(), nullptr);
    project()->takeDevice(_device);
}

} // namespace lumlink::project::commands
