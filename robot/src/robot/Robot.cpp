#include <robot/Robot.h>
#include <algorithm>
#include <cmath>

namespace robot {

namespace {

constexpr double Pi = 3.14159265358979323846;
// Halving the blocked step (at most 5 mm) this often puts the body within a micrometre of the
// wall, far less than the bumper's travel.
constexpr int ContactSearchSteps = 13;

double sensorAngle(Robot::Sensor sensor)
{
    switch (sensor) {
    case Robot::Left:
        return Pi / 2;
    case Robot::Right:
        return -Pi / 2;
    case Robot::Front:
        break;
    }
    return 0;
}

double limited(double value, double limit)
{
    return std::isfinite(value) ? std::clamp(value, -limit, limit) : 0;
}

} // namespace

Robot::Robot(const Arena& arena)
    : _arena(arena), _walls(arena.walls()), _drive(wheelbase), _pose(arena.start())
{
    sense(_walls.clearance({_pose.x, _pose.y}));
}

void Robot::setSpeed(double metresPerSecond)
{
    _speed = limited(metresPerSecond, maxSpeed);
}

void Robot::setSteering(double degrees)
{
    _steering = limited(degrees, maxSteering);
}

bool Robot::place(const Pose& pose)
{
    // Clear of every wall is not enough: inside an obstacle or outside the room is no place.
    if (!fits(pose) || !_arena.isFloor({pose.x, pose.y}))
        return false;
    _pose = pose;
    sense(_walls.clearance({_pose.x, _pose.y}));
    return true;
}

void Robot::step()
{
    const double steering = _steering * Pi / 180;
    const Pose target = _drive.advance(_pose, _speed, steering, stepSeconds);
    const double clearance = _walls.clearance({target.x, target.y});
    if (clearance >= radius) {
        _pose = target;
        sense(clearance);
        return;
    }
    // Blocked: drive the part of the step that still fits, up to the touching wall. No point
    // of the step is farther from the start than its length, so only walls within that of
    // the body can be in the way.
    const double reach = radius + std::abs(_speed) * stepSeconds + 1e-9;
    _nearby.clear();
    for (const Segment& wall : _walls.walls()) {
        if (RayCaster::squaredDistance(wall, {_pose.x, _pose.y}) <= reach * reach)
            _nearby.push_back(wall);
    }
    double free = 0;
    double blocked = 1;
    for (int i = 0; i < ContactSearchSteps; ++i) {
        const double middle = (free + blocked) / 2;
        const Pose between = _drive.advance(_pose, _speed, steering, middle * stepSeconds);
        (RayCaster::clearance(_nearby, {between.x, between.y}) >= radius ? free : blocked) = middle;
    }
    _pose = _drive.advance(_pose, _speed, steering, free * stepSeconds);
    sense(_walls.clearance({_pose.x, _pose.y}));
}

bool Robot::fits(const Pose& pose) const
{
    return _walls.clearance({pose.x, pose.y}) >= radius;
}

Robot::Ray Robot::ray(Sensor sensor) const
{
    const Vector direction = Vector::fromAngle(_pose.heading + sensorAngle(sensor));
    const Vector from = Vector{_pose.x, _pose.y} + direction * radius;
    return {from, from + direction * _walls.cast(from, direction, sensorRange)};
}

std::array<Robot::Ray, 3> Robot::rays() const
{
    return {ray(Front), ray(Left), ray(Right)};
}

void Robot::sense(double clearance)
{
    const auto length = [this](Sensor sensor) {
        const Ray r = ray(sensor);
        return (r.to - r.from).length();
    };
    _readings.front = length(Front);
    _readings.left = length(Left);
    _readings.right = length(Right);
    _readings.bumper = clearance < radius + bumperTravel;
}

} // namespace robot
