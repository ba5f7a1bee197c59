#pragma once

namespace kirogen::model {

// Where an element sits in its editor, in scene units.
struct Position
{
    double x = 0;
    double y = 0;

    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }
};

} // namespace kirogen::model
