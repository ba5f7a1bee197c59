#include <kirogen/sdf/ActorSetup.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace kirogen::sdf {

ActorSetup::ActorSetup(const ActorType& type, const std::map<std::string, std::string>& parameters,
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
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || !std::isfinite(number))
        throw std::runtime_error("parameter '" + name + "' is not a number: '" + value + "'");
    return number;
}

} // namespace kirogen::sdf
