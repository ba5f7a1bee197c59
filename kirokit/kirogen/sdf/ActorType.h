#pragma once

#include <kirogen/sdf/ActorParameter.h>
#include <kirogen/sdf/ActorPort.h>

#include <string>
#include <vector>

namespace kirogen::sdf {

// The declaration of a function-block type: what the editors show and what a diagram may
// connect. The behaviour lives in the actor implementation registered under the same id.
class ActorType
{
public:
    ActorType(std::string id, std::string category, std::string helpText, std::vector<ActorPort> ports,
              std::vector<ActorParameter> parameters, bool directFeedthrough = true);

    const std::string& id() const { return _id; }
    const std::string& category() const { return _category; }
    const std::string& helpText() const { return _helpText; }
    const std::vector<ActorPort>& ports() const { return _ports; }
    const std::vector<ActorParameter>& parameters() const { return _parameters; }
    // False for a block whose outputs in a cycle do not depend on that cycle's inputs (a
    // delay); only such a block may close a loop, and its inputs do not order the cycle.
    bool directFeedthrough() const { return _directFeedthrough; }

    // Null when there is no such port or parameter.
    const ActorPort* port(const std::string& name) const;
    const ActorParameter* parameter(const std::string& name) const;

private:
    std::string _id;
    std::string _category;
    std::string _helpText;
    std::vector<ActorPort> _ports;
    std::vector<ActorParameter> _parameters;
    bool _directFeedthrough;
};

} // namespace kirogen::sdf
