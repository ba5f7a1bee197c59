#include <robot/Kinematics.h>
#include <cmath>

namespace robot {

namespace {

constexpr double Pi = 3.14159265358979323846;

double normalized(double angle)
{
    angle = std::remainder(angle, 2 * Pi);
    return angle <= -Pi ? angle + 2 * Pi : angle;
}

} // namespace

Kinematics::Kinematics(double wheelbase) : _wheelbase(wheelbase)
{
}

Pose Kinematics::advance(const Pose& pose, double speed, double steering, double seconds) const
{
    const double distance = speed * seconds;
    const double curvature = std::tan(steering) / _wheelbase;
    const double turn = distance * curvature;
    if (std::abs(turn) < 1e-9) {
        return {pose.x + distance * std::cos(pose.heading), pose.y + distance * std::sin(pose.heading),
                pose.heading};
    }
    const double radius = 1 / curvature;
    const double heading = pose.heading + turn;
    return {pose.x + radius * (std::sin(heading) - std::sin(pose.heading)),
            pose.y - radius * (std::cos(heading) - std::cos(pose.heading)), normalized(heading)};
}

} // namespace robot
