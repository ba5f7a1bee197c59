#include <kirogen/sim/condition/Condition.h>

namespace kirogen::sim::condition {

Condition::Condition(std::string text, std::unique_ptr<const ConditionNode> root)
    : _text(std::move(text)), _root(std::move(root))
{
}

} // namespace kirogen::sim::condition
