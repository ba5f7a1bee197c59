#pragma once

#include <kirogen/sdf/Actor.h>

namespace kirogen::sdf::actors {

// "eq", "ne", "lt", "le", "gt", "ge": two texts compare as text, anything else by number.
class Comparison : public Actor
{
public:
    enum Operation
    {
        Equal,
        NotEqual,
        Less,
        LessOrEqual,
        Greater,
        GreaterOrEqual
    };

    explicit Comparison(Operation operation) : _operation(operation) {}

    void evaluate(double now) override;

private:
    Operation _operation;
};

} // namespace kirogen::sdf::actors
