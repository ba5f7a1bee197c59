#pragma once

namespace kirogen::sim::condition {

// One node of a parsed transition condition. Booleans evaluate to 1 and 0; the parser has
// checked that every operator gets operands of the kind it needs.
class ConditionNode
{
public:
    enum Kind
    {
        Number,
        Boolean
    };

    explicit ConditionNode(Kind kind) : _kind(kind) {}
    virtual ~ConditionNode() = default;

    Kind kind() const { return _kind; }

    // stepTime is the active step's elapsed time in seconds ("t").
    virtual double evaluate(double stepTime) const = 0;

private:
    Kind _kind;
};

} // namespace kirogen::sim::condition
