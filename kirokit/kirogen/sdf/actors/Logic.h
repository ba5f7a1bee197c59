#pragma once

#include <kirogen/sdf/Actor.h>

namespace kirogen::sdf::actors {

// "and", "or" over a and b.
class Logic : public Actor
{
public:
    enum Operation
    {
        And,
        Or
    };

    explicit Logic(Operation operation) : _operation(operation) {}

    void evaluate(double now) override;

private:
    Operation _operation;
};

} // namespace kirogen::sdf::actors
