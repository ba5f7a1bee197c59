#pragma once

namespace robot {

// Where the robot stands: the centre of its body in metres and the direction it faces in
// radians, counter-clockwise from the x axis.
struct Pose
{
    double x = 0;
    double y = 0;
    double heading = 0;
};

} // namespace robot
