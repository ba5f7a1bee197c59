#include <lum/cv/Threshold.h>

#include <stdexcept>

namespace lum::cv {

Threshold::Threshold(const kirogen::sdf::ActorSetup& setup)
    : _low(setup.number("low")), _high(setup.number("high"))
{
    if (_low > _high)
        throw std::runtime_error("parameter 'low' must not be greater than 'high'");
}

void Threshold::reset()
{
    _on = false;
}

void Threshold::evaluate(double)
{
    const double value = inputNumber(0);
    if (value >= _high)
        _on = true;
    else if (value <= _low)
        _on = false;
    output(0) = _on;
}

} // namespace lum::cv
