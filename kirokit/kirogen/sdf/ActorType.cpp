#include <kirogen/sdf/ActorType.h>

#include <algorithm>

namespace kirogen::sdf {

ActorType::ActorType(std::string id, std::string category, std::string helpText, std::vector<ActorPort> ports,
                     std::vector<ActorParameter> parameters, bool directFeedthrough)
    : _id(std::move(id)), _category(std::move(category)), _helpText(std::move(helpText)),
      _ports(std::move(ports)), _parameters(std::move(parameters)), _directFeedthrough(directFeedthrough)
{
}

const ActorPort* ActorType::port(const std::string& name) const
{
    const auto found = std::find_if(_ports.begin(), _ports.end(),
                                    [&name](const ActorPort& port) { return port.name == name; });
    return found == _ports.end() ? nullptr : &*found;
}

const ActorParameter* ActorType::parameter(const std::string& name) const
{
    const auto found =
        std::find_if(_parameters.begin(), _parameters.end(),
                     [&name](const ActorParameter& parameter) { return parameter.name == name; });
    return found == _parameters.end() ? nullptr : &*found;
}

} // namespace kirogen::sdf
