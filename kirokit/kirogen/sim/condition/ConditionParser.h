#pragma once

#include <kirogen/sim/condition/Condition.h>
#include <kirogen/sim/condition/ConditionNode.h>

#include <functional>
#include <memory>
#include <string>

namespace kirogen::model {
class Variable;
}

namespace kirogen::sim::condition {

// Parses transition conditions: global variable names, numbers, true and false, t (the
// active step's elapsed time), ! && || == != < <= > >= + - * / and parentheses, with C's
// precedence. The whole condition must be boolean. Throws ConditionError.
//
// A condition is kept small, so that parsing, evaluating and destroying it never recurse
// deeper than a few thousand calls, whatever a project file holds.
class ConditionParser
{
public:
    static constexpr std::size_t maxLength = 4096;
    // Values and operators in one condition.
    static constexpr int maxNodes = 1000;
    // Parentheses and prefix operators inside one another.
    static constexpr int maxDepth = 100;

    // The variable of the name, or empty when there is none.
    using VariableLookup = std::function<std::shared_ptr<const model::Variable>(const std::string&)>;

    ConditionParser(const std::string& text, VariableLookup lookup);

    Condition parse();

private:
    struct Token
    {
        enum Type
        {
            End,
            Number,
            Name,
            Operator,
            Open,
            Close
        };
        Type type = End;
        std::string text;
        int column = 0;
    };

    using Node = std::unique_ptr<const ConditionNode>;

    void advance();
    bool accept(const char* op);

    // The precedence of the binary operator at the current token; 0 for any other token.
    int binaryPrecedence() const;
    // Operands joined by binary operators of at least the precedence.
    Node parseBinary(int minPrecedence);
    Node parseUnary();
    Node parsePrimary();
    Node variable(const Token& token);

    void countNode(const Token& at);
    void enter(const Token& at);

    Node binary(const Token& op, Node left, Node right);
    static void expect(const Node& node, ConditionNode::Kind kind, const Token& op, bool prefix);

    const std::string _text;
    VariableLookup _lookup;
    std::size_t _position = 0;
    Token _token;
    int _nodes = 0;
    int _depth = 0;
};

} // namespace kirogen::sim::condition
