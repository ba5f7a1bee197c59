#pragma once

#include <robot/Segment.h>
#include <vector>

namespace robot {

// Answers the two questions the simulation asks of the walls: how far a sensor's ray travels
// before it meets one, and how close a point is to the nearest one.
class RayCaster
{
public:
    explicit RayCaster(std::vector<Segment> walls);

    // The distance along a ray from origin in the unit direction until the first wall, or
    // range when none is nearer. A ray through a wall's end point or along a wall meets it.
    double cast(Vector origin, Vector direction, double range) const;
    // The distance from point to the nearest wall; infinity without walls.
    double clearance(Vector point) const { return clearance(_walls, point); }
    static double clearance(const std::vector<Segment>& walls, Vector point);

    // The distance along the ray to one wall; negative when the ray misses it.
    static double hit(const Segment& wall, Vector origin, Vector direction);
    static double distance(const Segment& wall, Vector point);
    static double squaredDistance(const Segment& wall, Vector point);

    const std::vector<Segment>& walls() const { return _walls; }

private:
    std::vector<Segment> _walls;
};

} // namespace robot
