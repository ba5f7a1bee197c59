#include <kirogen/sdf/actors/Not.h>

namespace kirogen::sdf::actors {

void Not::evaluate(double)
{
    output(0) = !inputBool(0);
}

} // namespace kirogen::sdf::actors
