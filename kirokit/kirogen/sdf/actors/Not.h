#pragma once

#include <kirogen/sdf/Actor.h>

namespace kirogen::sdf::actors {

// "not": out is the negation of in.
class Not : public Actor
{
public:
    void evaluate(double now) override;
};

} // namespace kirogen::sdf::actors
