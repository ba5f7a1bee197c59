#include <robot/RayCaster.h>
#include <algorithm>
#include <cmath>
#include <limits>

namespace robot {

namespace {

// Relative tolerance for "parallel" and "on the line": coordinates are metres of a room.
constexpr double Epsilon = 1e-12;

} // namespace

RayCaster::RayCaster(std::vector<Segment> walls) : _walls(std::move(walls))
{
}

double RayCaster::hit(const Segment& wall, Vector origin, Vector direction)
{
    const Vector along = wall.b - wall.a;
    const Vector toWall = wall.a - origin;
    const double denominator = direction.cross(along);
    // Squares compared, as this runs for every wall and sensor in every step.
    if (denominator * denominator <= Epsilon * Epsilon * along.dot(along)) {
        // Parallel: only a wall on the ray's own line is met, at its nearer end ahead.
        const double offLine = toWall.cross(direction);
        if (offLine * offLine > Epsilon * Epsilon * std::max(1.0, toWall.dot(toWall)))
            return -1;
        const double first = toWall.dot(direction);
        const double second = (wall.b - origin).dot(direction);
        if (std::max(first, second) < 0)
            return -1;
        return std::min(first, second) <= 0 ? 0 : std::min(first, second);
    }
    const double t = toWall.cross(along) / denominator;
    const double s = toWall.cross(direction) / denominator;
    if (t < 0 || s < -Epsilon || s > 1 + Epsilon)
        return -1;
    return t;
}

double RayCaster::distance(const Segment& wall, Vector point)
{
    return std::sqrt(squaredDistance(wall, point));
}

double RayCaster::squaredDistance(const Segment& wall, Vector point)
{
    const Vector along = wall.b - wall.a;
    const double lengthSquared = along.dot(along);
    const double s =
        lengthSquared > 0 ? std::clamp((point - wall.a).dot(along) / lengthSquared, 0.0, 1.0) : 0.0;
    const Vector offset = point - (wall.a + along * s);
    return offset.dot(offset);
}

double RayCaster::cast(Vector origin, Vector direction, double range) const
{
    double nearest = range;
    for (const Segment& wall : _walls) {
        const double t = hit(wall, origin, direction);
        if (t >= 0 && t < nearest)
            nearest = t;
    }
    return nearest;
}

double RayCaster::clearance(const std::vector<Segment>& walls, Vector point)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const Segment& wall : walls)
        nearest = std::min(nearest, squaredDistance(wall, point));
    return std::sqrt(nearest);
}

} // namespace robot
