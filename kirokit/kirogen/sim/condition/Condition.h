#pragma once

#include <kirogen/sim/condition/ConditionNode.h>

#include <memory>
#include <string>

namespace kirogen::sim::condition {

// A transition's condition, parsed and bound to the project's global variables.
class Condition
{
public:
    Condition(std::string text, std::unique_ptr<const ConditionNode> root);

    const std::string& text() const { return _text; }

    // Reads the bound variables now; stepTime is the active step's elapsed time in seconds.
    bool holds(double stepTime) const { return _root->evaluate(stepTime) != 0.0; }

private:
    std::string _text;
    std::unique_ptr<const ConditionNode> _root;
};

} // namespace kirogen::sim::condition
