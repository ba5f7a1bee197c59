#pragma once

#include <kirogen/sdf/Actor.h>

namespace kirogen::sdf::actors {

// "ctu": counts the rising edges of cu; reset holds the count at 0.
class UpCounter : public Actor
{
public:
    void reset() override;
    void evaluate(double now) override;

private:
    bool _previous = false;
    int _count = 0;
};

} // namespace kirogen::sdf::actors
