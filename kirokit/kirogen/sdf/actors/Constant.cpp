#include <kirogen/sdf/actors/Constant.h>

#include <lum/core/Serializer.h>

#include <stdexcept>

namespace kirogen::sdf::actors {

Constant::Constant(const ActorSetup& setup)
{
    const std::string text = setup.text("value");
    const std::string typeName = setup.text("type");
    bool ok = false;
    _value = lum::core::variant::Serializer::singleton().load(text, typeName, &ok);
    if (!ok)
        throw std::runtime_error("value '" + text + "' does not fit the data type '" + typeName + "'");
}

void Constant::reset()
{
    output(0) = _value;
}

void Constant::evaluate(double)
{
    // The output was set at the start of the run and nothing else writes it.
}

} // namespace kirogen::sdf::actors
