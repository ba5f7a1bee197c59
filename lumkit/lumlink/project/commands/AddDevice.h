#pragma once

#include <lumlink/project/commands/Command.h>

namespace lumlink::project {
class Device;
}

namespace lumlink::project::commands {

// Adds a device made for the project at the end of its device list.
class AddDevice : public Command
{
public:
    AddDevice(Project* project, Device* device);

    void redo() override;
    void undo() override;

private:
    Device* _device;
};

} // namespace lumlink::project::commands
