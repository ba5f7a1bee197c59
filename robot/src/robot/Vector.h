#pragma once

#include <cmath>

namespace robot {

// A point or a direction on the arena's floor, in metres (x to the right, y up).
struct Vector
{
    double x = 0;
    double y = 0;

    Vector operator+(Vector other) const { return {x + other.x, y + other.y}; }
    Vector operator-(Vector other) const { return {x - other.x, y - other.y}; }
    Vector operator*(double factor) const { return {x * factor, y * factor}; }
    bool operator==(Vector other) const { return x == other.x && y == other.y; }

    double dot(Vector other) const { return x * other.x + y * other.y; }
    // The z component of the 3D cross product: positive when other lies counter-clockwise.
    double cross(Vector other) const { return x * other.y - y * other.x; }
    double length() const { return std::hypot(x, y); }

    static Vector fromAngle(double radians) { return {std::cos(radians), std::sin(radians)}; }
};

} // namespace robot
