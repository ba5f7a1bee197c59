#pragma once

#include <QList>
#include <memory>
#include <string>
#include <vector>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace lumlink::project {
class Device;
}

namespace tavview::uploader {

// Gives the devices the parameters they have on the robot (the robot itself at 127.0.0.1, its
// camera and joystick device files) for as long as the guard lives, so that a copy of the
// project can be written for the robot; the user's own values come back when it goes, also
// when writing the copy failed or threw.
class RobotSideParameters
{
public:
    explicit RobotSideParameters(const QList<lumlink::project::Device*>& devices);
    ~RobotSideParameters();

    RobotSideParameters(const RobotSideParameters&) = delete;
    RobotSideParameters& operator=(const RobotSideParameters&) = delete;

private:
    struct Replaced
    {
        std::shared_ptr<kirogen::device::model::DeviceInstance> instance;
        std::string parameter;
        std::string userValue;
    };

    std::vector<Replaced> _replaced;
};

} // namespace tavview::uploader
