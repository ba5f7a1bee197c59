#include <kirogen/sim/condition/ConditionParser.h>

#include <kirogen/model/Variable.h>
#include <kirogen/sdf/ValueConversion.h>
#include <kirogen/sim/condition/ConditionError.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kirogen::sim::condition {

using lum::core::variant::Variant;

namespace {

class Constant : public ConditionNode
{
public:
    Constant(Kind kind, double value) : ConditionNode(kind), _value(value) {}
    double evaluate(double) const override { return _value; }

private:
    double _value;
};

class StepTime : public ConditionNode
{
public:
    StepTime() : ConditionNode(Number) {}
    double evaluate(double stepTime) const override { return stepTime; }
};

class VariableValue : public ConditionNode
{
public:
    VariableValue(Kind kind, std::shared_ptr<const model::Variable> variable)
        : ConditionNode(kind), _variable(std::move(variable))
    {
    }

    double evaluate(double) const override
    {
        const double number = sdf::ValueConversion::toNumber(_variable->value());
        return kind() == Boolean ? (number != 0.0 ? 1.0 : 0.0) : number;
    }

private:
    std::shared_ptr<const model::Variable> _variable;
};

class Unary : public ConditionNode
{
public:
    Unary(char op, std::unique_ptr<const ConditionNode> operand)
        : ConditionNode(op == '!' ? Boolean : Number), _op(op), _operand(std::move(operand))
    {
    }

    double evaluate(double stepTime) const override
    {
        const double value = _operand->evaluate(stepTime);
        return _op == '!' ? (value == 0.0 ? 1.0 : 0.0) : -value;
    }

private:
    char _op;
    std::unique_ptr<const ConditionNode> _operand;
};

class Binary : public ConditionNode
{
public:
    enum Op
    {
        And,
        Or,
        Equal,
        NotEqual,
        Less,
        LessOrEqual,
        Greater,
        GreaterOrEqual,
        Add,
        Subtract,
        Multiply,
        Divide
    };

    Binary(Op op, std::unique_ptr<const ConditionNode> left, std::unique_ptr<const ConditionNode> right)
        : ConditionNode(op >= Add ? Number : Boolean), _op(op), _left(std::move(left)),
          _right(std::move(right))
    {
    }

    double evaluate(double stepTime) const override
    {
        const double a = _left->evaluate(stepTime);
        // && and || look at their right side only when it decides.
        if (_op == And)
            return a != 0.0 && _right->evaluate(stepTime) != 0.0 ? 1.0 : 0.0;
        if (_op == Or)
            return a != 0.0 || _right->evaluate(stepTime) != 0.0 ? 1.0 : 0.0;
        const double b = _right->evaluate(stepTime);
        switch (_op) {
        case Equal:
            return a == b;
        case NotEqual:
            return a != b;
        case Less:
            return a < b;
        case LessOrEqual:
            return a <= b;
        case Greater:
            return a > b;
        case GreaterOrEqual:
            return a >= b;
        case Add:
            return a + b;
        case Subtract:
            return a - b;
        case Multiply:
            return a * b;
        default:
            // As the division block: 0, so that no infinite number reaches a comparison.
            return b == 0.0 ? 0.0 : a / b;
        }
    }

private:
    Op _op;
    std::unique_ptr<const ConditionNode> _left;
    std::unique_ptr<const ConditionNode> _right;
};

struct OperatorEntry
{
    const char* text;
    Binary::Op op;
    // C's: the higher binds tighter; all are left-associative.
    int precedence;
};

// Two-character operators first, so that the scanner takes "<=" as one.
const OperatorEntry operators[] = {
    {"&&", Binary::And, 2},      {"||", Binary::Or, 1},          {"==", Binary::Equal, 3},
    {"!=", Binary::NotEqual, 3}, {"<=", Binary::LessOrEqual, 4}, {">=", Binary::GreaterOrEqual, 4},
    {"<", Binary::Less, 4},      {">", Binary::Greater, 4},      {"+", Binary::Add, 5},
    {"-", Binary::Subtract, 5},  {"*", Binary::Multiply, 6},     {"/", Binary::Divide, 6},
};

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool isNamePart(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c));
}

} // namespace

ConditionParser::ConditionParser(const std::string& text, VariableLookup lookup)
    : _text(text), _lookup(std::move(lookup))
{
}

Condition ConditionParser::parse()
{
    if (_text.size() > maxLength)
        throw ConditionError(static_cast<int>(maxLength) + 1,
                             "the condition is longer than " + std::to_string(maxLength) + " characters");
    _position = 0;
    _nodes = 0;
    _depth = 0;
    advance();
    if (_token.type == Token::End)
        throw ConditionError(1, "the condition is empty");
    Node root = parseBinary(1);
    if (_token.type != Token::End)
        throw ConditionError(_token.column, "unexpected '" + _token.text + "'");
    if (root->kind() != ConditionNode::Boolean)
        throw ConditionError(1, "the condition gives a number, not true or false (compare it, e.g. 'x > 0')");
    return Condition(_text, std::move(root));
}

void ConditionParser::advance()
{
    while (_position < _text.size() && std::isspace(static_cast<unsigned char>(_text[_position])))
        ++_position;
    _token = Token();
    _token.column = static_cast<int>(_position) + 1;
    if (_position >= _text.size())
        return;

    const std::size_t start = _position;
    const char c = _text[_position];
    if (isDigit(c) || (c == '.' && _position + 1 < _text.size() && isDigit(_text[_position + 1]))) {
        while (_position < _text.size() && (isDigit(_text[_position]) || _text[_position] == '.'))
            ++_position;
        if (_position < _text.size() && (_text[_position] == 'e' || _text[_position] == 'E')) {
            ++_position;
            if (_position < _text.size() && (_text[_position] == '+' || _text[_position] == '-'))
                ++_position;
            while (_position < _text.size() && isDigit(_text[_position]))
                ++_position;
        }
        _token.type = Token::Number;
    } else if (isNameStart(c)) {
        while (_position < _text.size() && isNamePart(_text[_position]))
            ++_position;
        _token.type = Token::Name;
    } else if (c == '(' || c == ')') {
        ++_position;
        _token.type = c == '(' ? Token::Open : Token::Close;
    } else {
        const std::string rest = _text.substr(_position, 2);
        for (const OperatorEntry& entry : operators) {
            if (rest.compare(0, std::strlen(entry.text), entry.text) == 0) {
                _position += std::strlen(entry.text);
                _token.type = Token::Operator;
                break;
            }
        }
        if (_token.type != Token::Operator && c == '!') {
            ++_position;
            _token.type = Token::Operator;
        }
        if (_token.type != Token::Operator) {
            const std::string hint = c == '='   ? " (compare with '==')"
                                     : c == '&' ? " (use '&&')"
                                     : c == '|' ? " (use '||')"
                                                : "";
            throw ConditionError(_token.column, std::string("unexpected character '") + c + "'" + hint);
        }
    }
    _token.text = _text.substr(start, _position - start);
}

bool ConditionParser::accept(const char* op)
{
    return _token.type == Token::Operator && _token.text == op;
}

int ConditionParser::binaryPrecedence() const
{
    if (_token.type != Token::Operator)
        return 0;
    for (const OperatorEntry& entry : operators) {
        if (_token.text == entry.text)
            return entry.precedence;
    }
    return 0;
}

// Precedence climbing: the right operand of an operator takes only operators that bind
// tighter, which makes every operator left-associative.
ConditionParser::Node ConditionParser::parseBinary(int minPrecedence)
{
    Node left = parseUnary();
    for (int precedence = binaryPrecedence(); precedence >= minPrecedence; precedence = binaryPrecedence()) {
        const Token op = _token;
        advance();
        left = binary(op, std::move(left), parseBinary(precedence + 1));
    }
    return left;
}

ConditionParser::Node ConditionParser::parseUnary()
{
    if (accept("!") || accept("-")) {
        const Token op = _token;
        enter(op);
        advance();
        Node operand = parseUnary();
        expect(operand, op.text == "!" ? ConditionNode::Boolean : ConditionNode::Number, op, true);
        --_depth;
        countNode(op);
        return std::make_unique<Unary>(op.text[0], std::move(operand));
    }
    return parsePrimary();
}

ConditionParser::Node ConditionParser::parsePrimary()
{
    const Token token = _token;
    switch (token.type) {
    case Token::Number: {
        double value = 0.0;
        const char* end = token.text.data() + token.text.size();
        const auto result = std::from_chars(token.text.data(), end, value);
        if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
            throw ConditionError(token.column, "'" + token.text + "' is not a number");
        countNode(token);
        advance();
        return std::make_unique<Constant>(ConditionNode::Number, value);
    }
    case Token::Name:
        countNode(token);
        advance();
        if (token.text == "true" || token.text == "false")
            return std::make_unique<Constant>(ConditionNode::Boolean, token.text == "true" ? 1.0 : 0.0);
        if (token.text == "t")
            return std::make_unique<StepTime>();
        return variable(token);
    case Token::Open: {
        enter(token);
        advance();
        Node inner = parseBinary(1);
        if (_token.type != Token::Close)
            throw ConditionError(_token.column,
                                 "missing ')' for the '(' at column " + std::to_string(token.column));
        --_depth;
        advance();
        return inner;
    }
    case Token::End:
        throw ConditionError(token.column, "a value is missing at the end");
    default:
        throw ConditionError(token.column, "expected a value, found '" + token.text + "'");
    }
}

ConditionParser::Node ConditionParser::variable(const Token& token)
{
    auto variable = _lookup ? _lookup(token.text) : nullptr;
    if (!variable)
        throw ConditionError(token.column, "unknown global variable '" + token.text + "'");
    const Variant value = variable->value();
    bool matches = false;
    value.get<bool>(&matches);
    if (matches || (value.isEmpty() && variable->typeName() == "bool"))
        return std::make_unique<VariableValue>(ConditionNode::Boolean, std::move(variable));
    value.get<std::string>(&matches);
    if (matches)
        throw ConditionError(token.column,
                             "global variable '" + token.text + "' holds text, which a condition cannot use");
    return std::make_unique<VariableValue>(ConditionNode::Number, std::move(variable));
}

ConditionParser::Node ConditionParser::binary(const Token& op, Node left, Node right)
{
    const OperatorEntry* entry = nullptr;
    for (const OperatorEntry& candidate : operators) {
        if (op.text == candidate.text)
            entry = &candidate;
    }
    switch (entry->op) {
    case Binary::And:
    case Binary::Or:
        expect(left, ConditionNode::Boolean, op, false);
        expect(right, ConditionNode::Boolean, op, false);
        break;
    case Binary::Equal:
    case Binary::NotEqual:
        if (left->kind() != right->kind())
            throw ConditionError(op.column, "'" + op.text + "' compares a number with true or false");
        break;
    default:
        expect(left, ConditionNode::Number, op, false);
        expect(right, ConditionNode::Number, op, false);
        break;
    }
    countNode(op);
    return std::make_unique<Binary>(entry->op, std::move(left), std::move(right));
}

void ConditionParser::countNode(const Token& at)
{
    if (++_nodes > maxNodes)
        throw ConditionError(at.column, "the condition has more than " + std::to_string(maxNodes) +
                                            " values and operators");
}

void ConditionParser::enter(const Token& at)
{
    if (++_depth > maxDepth)
        throw ConditionError(at.column, "the condition nests parentheses and '!' or '-' deeper than " +
                                            std::to_string(maxDepth) + " levels");
}

void ConditionParser::expect(const Node& node, ConditionNode::Kind kind, const Token& op, bool prefix)
{
    if (node->kind() == kind)
        return;
    throw ConditionError(op.column, "'" + op.text + "' needs " +
                                        (kind == ConditionNode::Boolean ? "true or false" : "numbers") +
                                        (prefix ? " after it" : " on both sides"));
}

} // namespace kirogen::sim::condition
