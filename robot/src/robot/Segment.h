#pragma once

#include <robot/Vector.h>

namespace robot {

// A straight piece of wall between two points.
struct Segment
{
    Vector a;
    Vector b;
};

} // namespace robot
