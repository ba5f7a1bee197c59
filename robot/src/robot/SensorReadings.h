#pragma once

namespace robot {

// What the robot's sensors report: distances in metres from the body's edge, and whether the
// bumper touches a wall.
struct SensorReadings
{
    double front = 0;
    double left = 0;
    double right = 0;
    bool bumper = false;
};

} // namespace robot
