#include <lum/navigation/Distance.h>

#include <cmath>

namespace lum::navigation {

void Distance::evaluate(double)
{
    output(0) = std::hypot(inputNumber(2) - inputNumber(0), inputNumber(3) - inputNumber(1));
}

} // namespace lum::navigation
