#include <kirogen/sdf/actors/Arithmetic.h>

namespace kirogen::sdf::actors {

void Arithmetic::evaluate(double)
{
    const double a = inputNumber(0);
    const double b = inputNumber(1);
    double result = 0.0;
    switch (_operation) {
    case Add:
        result = a + b;
        break;
    case Subtract:
        result = a - b;
        break;
    case Multiply:
        result = a * b;
        break;
    case Divide:
        // A division by zero gives 0: an infinite or undefined number would reach variables
        // and devices that cannot hold it.
        result = b == 0.0 ? 0.0 : a / b;
        break;
    }
    output(0) = result;
}

} // namespace kirogen::sdf::actors
