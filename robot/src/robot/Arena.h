#pragma once

#include <QString>
#include <robot/Pose.h>
#include <robot/Segment.h>
#include <vector>

namespace robot {

// The floor the robot drives on: walls, rectangular obstacles and where the robot starts.
// Obstacles take part in the simulation as the four walls around them.
class Arena
{
public:
    struct Box
    {
        double x = 0;
        double y = 0;
        double width = 0;
        double height = 0;
    };

    void setName(const QString& name) { _name = name; }
    void addWall(const Segment& wall) { _walls.push_back(wall); }
    void addBox(const Box& box);
    void setStart(const Pose& start) { _start = start; }

    const QString& name() const { return _name; }
    // Every wall, those around obstacles included.
    const std::vector<Segment>& walls() const { return _walls; }
    const std::vector<Box>& boxes() const { return _boxes; }
    const Pose& start() const { return _start; }
    // Whether a point lies on the floor: within the walls' bounds and in no obstacle.
    bool isFloor(Vector point) const;
    // The smallest axis-aligned rectangle around all walls: lower-left and upper-right corner.
    Vector lowerLeft() const;
    Vector upperRight() const;

private:
    QString _name;
    std::vector<Segment> _walls;
    std::vector<Box> _boxes;
    Pose _start;
};

} // namespace robot
