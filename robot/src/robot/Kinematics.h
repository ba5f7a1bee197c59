#pragma once

#include <robot/Pose.h>

namespace robot {

// A car-like drive: the front wheels steer, the body's centre follows a circle of radius
// wheelbase / tan(steering angle), or a straight line when the wheels point ahead.
class Kinematics
{
public:
    explicit Kinematics(double wheelbase);

    // The pose after driving at speed (m/s, negative backwards) with the front wheels at
    // steering (radians, positive to the left) for the given time, integrated exactly.
    Pose advance(const Pose& pose, double speed, double steering, double seconds) const;

    double wheelbase() const { return _wheelbase; }

private:
    double _wheelbase;
};

} // namespace robot
