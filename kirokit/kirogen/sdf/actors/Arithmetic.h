#pragma once

#include <kirogen/sdf/Actor.h>

namespace kirogen::sdf::actors {

// "add", "sub", "mul", "div": out = a op b as double.
class Arithmetic : public Actor
{
public:
    enum Operation
    {
        Add,
        Subtract,
        Multiply,
        Divide
    };

    explicit Arithmetic(Operation operation) : _operation(operation) {}

    void evaluate(double now) override;

private:
    Operation _operation;
};

} // namespace kirogen::sdf::actors
