#pragma once

#include <lumlink/project/commands/Command.h>

namespace lumlink::project {
class Device;
}

namespace lumlink::project::commands {

// Removes a device that no program uses; undo puts it back in its place.
class RemoveDevice : public Command
{
public:
    RemoveDevice(Project* project, Device* device);

    void redo() override;
    void undo() override;

private:
    Device* _device;
    int _index = -1;
};

} // namespace lumlink::project::commands
