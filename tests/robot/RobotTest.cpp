#include <gtest/gtest.h>
#include <robot/Robot.h>
#include <cmath>

using robot::Arena;
using robot::Pose;
using robot::Robot;

namespace {

constexpr double Pi = 3.14159265358979323846;

// A room of 4 m by 3 m with the robot in the middle of its left half, facing the right wall.
Arena room(Pose start = {1, 1.5, 0})
{
    Arena arena;
    arena.addWall({{0, 0}, {4, 0}});
    arena.addWall({{4, 0}, {4, 3}});
    arena.addWall({{4, 3}, {0, 3}});
    arena.addWall({{0, 3}, {0, 0}});
    arena.setStart(start);
    return arena;
}

void drive(Robot& robot, double seconds)
{
    for (int i = 0; i < std::lround(seconds / Robot::stepSeconds); ++i)
        robot.step();
}

TEST(Robot, SensorsMeasureFromTheBodysEdge)
{
    const Robot robot(room());
    // Centre at (1, 1.5): the right wall is 3 m away, the side walls 1.5 m, less the radius.
    EXPECT_DOUBLE_EQ(robot.readings().front, Robot::sensorRange);
    EXPECT_NEAR(robot.readings().left, 1.4, 1e-12);
    EXPECT_NEAR(robot.readings().right, 1.4, 1e-12);
    EXPECT_FALSE(robot.readings().bumper);

    Robot turned(room({3, 1, Pi / 2}));
    // Facing +y: the front sensor looks at the top wall, the left one at x = 0, the right one at x = 4.
    EXPECT_NEAR(turned.readings().front, 1.9, 1e-12);
    EXPECT_DOUBLE_EQ(turned.readings().left, Robot::sensorRange);
    EXPECT_NEAR(turned.readings().right, 0.9, 1e-12);
    const auto rays = turned.rays();
    EXPECT_NEAR(rays[Robot::Front].to.y, 3, 1e-12);
    EXPECT_NEAR(rays[Robot::Right].from.x, 3.1, 1e-12);
}

TEST(Robot, DrivesAtItsSpeedAndStopsTouchingTheWallNeverBeyond)
{
    Robot robot(room());
    robot.setSpeed(0.4);
    drive(robot, 2);
    EXPECT_NEAR(robot.pose().x, 1.8, 1e-9);
    EXPECT_NEAR(robot.pose().y, 1.5, 1e-12);
    // The wall is 2.1 m from the sensor, beyond its range; half a second later 1.9 m.
    EXPECT_DOUBLE_EQ(robot.readings().front, Robot::sensorRange);
    drive(robot, 0.5);
    EXPECT_NEAR(robot.readings().front, 1.9, 1e-9);
    // Far longer than the way to the wall: it ends with the body against it.
    drive(robot, 10);
    EXPECT_LE(robot.pose().x, 4 - Robot::radius);
    EXPECT_GT(robot.pose().x, 4 - Robot::radius - Robot::bumperTravel);
    EXPECT_LT(robot.readings().front, Robot::bumperTravel);
    EXPECT_TRUE(robot.readings().bumper);
    // Still pushing: it does not creep on.
    const double x = robot.pose().x;
    drive(robot, 1);
    EXPECT_EQ(robot.pose().x, x);

    // Driven away, it moves at once and the bumper lets go.
    robot.setSpeed(-0.2);
    robot.step();
    EXPECT_NEAR(robot.pose().x, x - 0.002, 1e-9);
    EXPECT_FALSE(robot.readings().bumper);
}

TEST(Robot, ASteeredRobotStopsAtTheWallItTurnsInto)
{
    // Near the right wall, turning right at full lock towards the bottom wall at y = 0.
    Robot robot(room({3, 0.6, 0}));
    robot.setSpeed(0.5);
    robot.setSteering(-90);
    EXPECT_EQ(robot.steering(), -Robot::maxSteering);
    drive(robot, 5);
    EXPECT_TRUE(robot.readings().bumper);
    for (const robot::Segment& wall : robot.arena().walls()) {
        const double clearance = robot::RayCaster::distance(wall, {robot.pose().x, robot.pose().y});
        EXPECT_GE(clearance, Robot::radius);
    }
}

TEST(Robot, CommandsAreLimitedToWhatTheDriveCanDo)
{
    Robot robot(room());
    robot.setSpeed(3);
    EXPECT_EQ(robot.speed(), Robot::maxSpeed);
    robot.setSpeed(-3);
    EXPECT_EQ(robot.speed(), -Robot::maxSpeed);
    robot.setSpeed(std::nan(""));
    EXPECT_EQ(robot.speed(), 0);
    robot.setSteering(12.5);
    EXPECT_EQ(robot.steering(), 12.5);
    robot.setSteering(-31);
    EXPECT_EQ(robot.steering(), -Robot::maxSteering);
}

TEST(Robot, IsPlacedOnlyWhereItsBodyFits)
{
    Robot robot(room());
    EXPECT_TRUE(robot.place({2, 2, Pi}));
    EXPECT_EQ(robot.pose().x, 2);
    EXPECT_NEAR(robot.readings().front, 1.9, 1e-12);
    // Overlapping the top wall by a millimetre: refused, the robot stays.
    EXPECT_FALSE(robot.place({2, 2.901, 0}));
    EXPECT_EQ(robot.pose().y, 2);
    // Touching it exactly is fine, and presses the bumper.
    EXPECT_TRUE(robot.place({2, 2.9, 0}));
    EXPECT_TRUE(robot.readings().bumper);
}

} // namespace
