#pragma once

#include <robot/Arena.h>
#include <robot/Kinematics.h>
#include <robot/RayCaster.h>
#include <robot/SensorReadings.h>
#include <array>

namespace robot {

// The simulated robot in its arena: a round body on a car-like drive with three distance
// sensors (front, left, right) at its edge and a bumper all round. It never passes through a
// wall: a move that would overlap one ends where the body touches it.
class Robot
{
public:
    static constexpr double radius = 0.1;         // m
    static constexpr double wheelbase = 0.15;     // m
    static constexpr double maxSpeed = 0.5;       // m/s, either way
    static constexpr double maxSteering = 30;     // degrees, either side
    static constexpr double sensorRange = 2;      // m
    static constexpr double bumperTravel = 0.001; // m: closer to a wall than this presses it
    static constexpr double stepSeconds = 0.01;

    enum Sensor
    {
        Front,
        Left,
        Right
    };
    struct Ray
    {
        Vector from;
        Vector to;
    };

    explicit Robot(const Arena& arena);

    // Values beyond the limits are taken as the limit.
    void setSpeed(double metresPerSecond);
    void setSteering(double degrees);
    double speed() const { return _speed; }
    double steering() const { return _steering; }

    // Puts the robot down at a pose; false, and nothing changes, when the body would overlap
    // a wall there or the place is not on the floor (in an obstacle, outside the room).
    bool place(const Pose& pose);
    // Drives for one step of stepSeconds.
    void step();

    const Pose& pose() const { return _pose; }
    const SensorReadings& readings() const { return _readings; }
    // Each sensor's ray from the body's edge to where it meets a wall or ends.
    std::array<Ray, 3> rays() const;
    const Arena& arena() const { return _arena; }

private:
    bool fits(const Pose& pose) const;
    Ray ray(Sensor sensor) const;
    // Takes the clearance of the pose, which the step has at hand already.
    void sense(double clearance);

    const Arena _arena;
    const RayCaster _walls;
    const Kinematics _drive;
    Pose _pose;
    double _speed = 0;
    double _steering = 0;
    SensorReadings _readings;
    // The walls near a blocked step, kept to spare an allocation per step.
    std::vector<Segment> _nearby;
};

} // namespace robot
