#include <gtest/gtest.h>
#include <robot/RayCaster.h>
#include <cmath>

using robot::RayCaster;
using robot::Segment;
using robot::Vector;

namespace {

constexpr double Range = 2;
const double Diagonal = std::sqrt(0.5);

// A wall from (1, -1) to (1, 1): the sensor at the origin faces it at x = 1.
const Segment Facing{{1, -1}, {1, 1}};

TEST(RayCaster, SensorFacingAWallReadsItsDistance)
{
    const RayCaster caster({Facing});
    EXPECT_DOUBLE_EQ(caster.cast({0, 0}, {1, 0}, Range), 1);
    EXPECT_DOUBLE_EQ(caster.cast({0.25, 0.5}, {1, 0}, Range), 0.75);
    // At 45 degrees the ray meets the wall at (1, 1), sqrt(2) away.
    EXPECT_NEAR(caster.cast({0, 0}, {Diagonal, Diagonal}, Range), std::sqrt(2.0), 1e-12);
    // Facing away, or the wall beyond the range: the range is read.
    EXPECT_DOUBLE_EQ(caster.cast({0, 0}, {-1, 0}, Range), Range);
    EXPECT_DOUBLE_EQ(caster.cast({-1.5, 0}, {1, 0}, Range), Range);
    // The nearest of several walls counts, whatever their order.
    const RayCaster two({{{3, -1}, {3, 1}}, Facing});
    EXPECT_DOUBLE_EQ(two.cast({0, 0}, {1, 0}, 5), 1);
    EXPECT_DOUBLE_EQ(two.cast({2, 0}, {1, 0}, 5), 1);
}

TEST(RayCaster, GrazingRaysMeetTheWallsEndButNotBeyond)
{
    const RayCaster caster({Facing});
    // Exactly through the end point (1, 1), and the same from the other side.
    EXPECT_DOUBLE_EQ(caster.cast({0, 1}, {1, 0}, Range), 1);
    EXPECT_DOUBLE_EQ(caster.cast({0, -1}, {1, 0}, Range), 1);
    // A hair past the end misses.
    EXPECT_DOUBLE_EQ(caster.cast({0, 1.000001}, {1, 0}, Range), Range);
    // Along the wall's own line the nearer end counts; beside the line nothing is met.
    const Segment floor{{1, 0}, {3, 0}};
    EXPECT_DOUBLE_EQ(RayCaster::hit(floor, {0, 0}, {1, 0}), 1);
    EXPECT_DOUBLE_EQ(RayCaster::hit(floor, {4, 0}, {-1, 0}), 1);
    EXPECT_DOUBLE_EQ(RayCaster::hit(floor, {2, 0}, {1, 0}), 0);
    EXPECT_LT(RayCaster::hit(floor, {4, 0}, {1, 0}), 0);
    EXPECT_LT(RayCaster::hit(floor, {0, 0.001}, {1, 0}), 0);
}

TEST(RayCaster, RayIntoACornerMeetsTheCorner)
{
    // Two walls meeting at (2, 2).
    const RayCaster corner({{{2, 0}, {2, 2}}, {{0, 2}, {2, 2}}});
    EXPECT_NEAR(corner.cast({1, 1}, {Diagonal, Diagonal}, Range), std::sqrt(2.0), 1e-12);
    // Just off the diagonal the nearer wall is met first, close to the corner either way.
    const double angle = std::atan2(1.0, 1.0) + 0.01;
    const double nearCorner = corner.cast({1, 1}, {std::cos(angle), std::sin(angle)}, Range);
    EXPECT_NEAR(nearCorner, 1 / std::sin(angle), 1e-12);
    EXPECT_LT(nearCorner, std::sqrt(2.0));
    // The corner is the nearest point of both walls to a point outside it.
    EXPECT_NEAR(corner.clearance({3, 3}), std::sqrt(2.0), 1e-12);
}

TEST(RayCaster, ClearanceIsTheDistanceToTheNearestPointOfAWall)
{
    const RayCaster caster({Facing});
    EXPECT_DOUBLE_EQ(caster.clearance({0, 0}), 1);
    EXPECT_DOUBLE_EQ(caster.clearance({1.5, 0.5}), 0.5);
    // Beyond an end the end point is nearest: (4, 5) is 3-4-5 from (1, 1).
    EXPECT_DOUBLE_EQ(caster.clearance({4, 5}), 5);
    EXPECT_TRUE(std::isinf(RayCaster({}).clearance({0, 0})));
}

} // namespace
