#include <kirogen/sdf/ActorSetup.h>

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace kirogen::sdf {

ActorSetup::ActorSetup(const ActorType& type, const model::FunctionBlock::Parameters& parameters,
                       std::shared_ptr<model::Project> project)
    : _type(type), _parameters(parameters), _project(std::move(project))
{
}

std::string ActorSetup::text(const std::string& name) const
{
    const auto own = _parameters.find(name);
    if (own != _parameters.end())
        return own->second;
    if (const ActorParameter* declared = _type.parameter(name))
        return declared->defaultText;
    throw std::runtime_error("actor type '" + _type.id() + "' declares no parameter '" + name + "'");
}

double ActorSetup::number(const std::string& name) const
{
    const std::string value = text(name);
    // from_chars, not strtod: the C locale of a Qt program follows the user's, and "0.5"
    // must not depend on it.
    double number = 0.0;
    const char* end = value.data() + value.size();
    const auto result = std::from_chars(value.data(), end, number);
    if (value.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(number))
        throw std::runtime_error("parameter '" + name + "' is not a number: '" + value + "'");
    return number;
}

} // namespace kirogen::sdf
