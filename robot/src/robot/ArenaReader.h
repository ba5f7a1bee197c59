#pragma once

#include <QCoreApplication>
#include <QString>
#include <robot/Arena.h>

namespace robot {

// Reads an arena file: one statement per line, "#" starts a comment.
//
//   name Corridor
//   wall x1 y1 x2 y2 [x3 y3 ...]     a wall along the points, in metres
//   box x y width height             an obstacle, lower-left corner and size
//   start x y heading                the robot's start, heading in degrees
//
// Bad input gives a message naming the file and the line.
class ArenaReader
{
    Q_DECLARE_TR_FUNCTIONS(robot::ArenaReader)

public:
    // Anything farther from the origin is a typing error, not a room.
    static constexpr double maxCoordinate = 1000;
    static constexpr int maxWalls = 10000;

    // The robot's radius: the start pose must leave the body clear of every wall.
    explicit ArenaReader(double robotRadius);

    bool read(const QString& path, Arena* arena, QString* error) const;
    // The same for a file's text; path only names it in messages.
    bool parse(const QString& path, const QByteArray& text, Arena* arena, QString* error) const;

private:
    double _robotRadius;
};

} // namespace robot
