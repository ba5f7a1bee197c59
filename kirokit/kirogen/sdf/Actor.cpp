#include <kirogen/sdf/Actor.h>

namespace kirogen::sdf {

using lum::core::variant::Variant;

void Actor::bindInput(std::size_t index, const Variant* signal)
{
    if (_inputs.size() <= index)
        _inputs.resize(index + 1, nullptr);
    _inputs[index] = signal;
}

void Actor::bindOutput(std::size_t index, Variant* signal)
{
    if (_outputs.size() <= index)
        _outputs.resize(index + 1, nullptr);
    _outputs[index] = signal;
}

} // namespace kirogen::sdf
