#include <gtest/gtest.h>
#include <robot/Kinematics.h>
#include <cmath>

using robot::Kinematics;
using robot::Pose;

namespace {

constexpr double Pi = 3.14159265358979323846;
const double Thirty = Pi / 6;

TEST(Kinematics, WheelsStraightDriveAlongTheHeading)
{
    const Kinematics drive(0.15);
    const Pose ahead = drive.advance({1, 2, Pi / 2}, 0.5, 0, 2);
    EXPECT_NEAR(ahead.x, 1, 1e-12);
    EXPECT_NEAR(ahead.y, 3, 1e-12);
    EXPECT_DOUBLE_EQ(ahead.heading, Pi / 2);
    const Pose back = drive.advance({1, 2, 0}, -0.25, 0, 2);
    EXPECT_NEAR(back.x, 0.5, 1e-12);
    EXPECT_NEAR(back.y, 2, 1e-12);
}

TEST(Kinematics, SteeredWheelsFollowTheTurningCircle)
{
    // tan(30 deg) / 0.15 m: a circle of radius 0.15 * sqrt(3) = 0.2598 m.
    const Kinematics drive(0.15);
    const double radius = 0.15 / std::tan(Thirty);
    const double speed = 0.2;
    // A quarter of the circle to the left from (0, 0) facing +x ends at (r, r) facing +y.
    const double quarter = (Pi / 2 * radius) / speed;
    const Pose left = drive.advance({0, 0, 0}, speed, Thirty, quarter);
    EXPECT_NEAR(left.x, radius, 1e-12);
    EXPECT_NEAR(left.y, radius, 1e-12);
    EXPECT_NEAR(left.heading, Pi / 2, 1e-12);
    // To the right the mirror image.
    const Pose right = drive.advance({0, 0, 0}, speed, -Thirty, quarter);
    EXPECT_NEAR(right.x, radius, 1e-12);
    EXPECT_NEAR(right.y, -radius, 1e-12);
    EXPECT_NEAR(right.heading, -Pi / 2, 1e-12);
    // Backwards with the wheels to the left the body swings the other way round.
    const Pose reversing = drive.advance({0, 0, 0}, -speed, Thirty, quarter);
    EXPECT_NEAR(reversing.x, -radius, 1e-12);
    EXPECT_NEAR(reversing.y, radius, 1e-12);
    EXPECT_NEAR(reversing.heading, -Pi / 2, 1e-12);
}

TEST(Kinematics, ManySmallStepsMakeTheSameCircleAsOneLongOne)
{
    const Kinematics drive(0.15);
    const double radius = 0.15 / std::tan(Thirty);
    const double lap = 2 * Pi * radius / 0.3;
    Pose pose{1, 1, Pi / 4};
    const int steps = static_cast<int>(std::round(lap / 0.01));
    for (int i = 0; i < steps; ++i)
        pose = drive.advance(pose, 0.3, Thirty, lap / steps);
    // Round the whole circle: back where it began, facing the same way.
    EXPECT_NEAR(pose.x, 1, 1e-9);
    EXPECT_NEAR(pose.y, 1, 1e-9);
    EXPECT_NEAR(pose.heading, Pi / 4, 1e-9);
    // Headings stay within (-pi, pi].
    const Pose turned = drive.advance({0, 0, Pi - 0.01}, 0.3, Thirty, 0.5);
    EXPECT_GT(turned.heading, -Pi);
    EXPECT_LE(turned.heading, Pi);
    EXPECT_LT(turned.heading, 0);
}

} // namespace
