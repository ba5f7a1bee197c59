#include <kirogen/sdf/actors/OnDelayTimer.h>

#include <algorithm>
#include <stdexcept>

namespace kirogen::sdf::actors {

OnDelayTimer::OnDelayTimer(const ActorSetup& setup) : _presetTime(setup.number("pt"))
{
    if (_presetTime < 0.0)
        throw std::runtime_error("parameter 'pt' must not be negative");
}

void OnDelayTimer::reset()
{
    _timing = false;
    _since = 0.0;
    output(0) = false;
    output(1) = 0.0;
}

void OnDelayTimer::evaluate(double now)
{
    if (!inputBool(0)) {
        _timing = false;
        output(0) = false;
        output(1) = 0.0;
        return;
    }
    if (!_timing) {
        _timing = true;
        _since = now;
    }
    const double elapsed = std::min(now - _since, _presetTime);
    output(0) = elapsed >= _presetTime;
    output(1) = elapsed;
}

} // namespace kirogen::sdf::actors
