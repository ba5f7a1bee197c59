#include <kirogen/sdf/actors/UpCounter.h>

#include <limits>

namespace kirogen::sdf::actors {

void UpCounter::reset()
{
    _previous = false;
    _count = 0;
    output(0) = 0;
}

void UpCounter::evaluate(double)
{
    const bool count = inputBool(0);
    if (inputBool(1))
        _count = 0;
    else if (count && !_previous && _count < std::numeric_limits<int>::max())
        ++_count;
    // Tracked during reset too, so that releasing reset while cu is held counts nothing.
    _previous = count;
    output(0) = _count;
}

} // namespace kirogen::sdf::actors
