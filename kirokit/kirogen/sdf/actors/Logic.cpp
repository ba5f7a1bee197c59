#include <kirogen/sdf/actors/Logic.h>

namespace kirogen::sdf::actors {

void Logic::evaluate(double)
{
    const bool a = inputBool(0);
    const bool b = inputBool(1);
    output(0) = _operation == And ? a && b : a || b;
}

} // namespace kirogen::sdf::actors
