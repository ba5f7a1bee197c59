#pragma once

#include <kirogen/sdf/Actor.h>

namespace lum::navigation {

// "distance": the straight-line distance between (x1, y1) and (x2, y2).
class Distance : public kirogen::sdf::Actor
{
public:
    void evaluate(double now) override;
};

} // namespace lum::navigation
