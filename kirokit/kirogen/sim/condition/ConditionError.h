#pragma once

#include <stdexcept>
#include <string>

namespace kirogen::sim::condition {

// A condition that cannot be parsed or bound; what() reads "column N: message".
class ConditionError : public std::runtime_error
{
public:
    ConditionError(int column, const std::string& message)
        : std::runtime_error("column " + std::to_string(column) + ": " + message), _column(column)
    {
    }

    // 1-based position in the condition text.
    int column() const { return _column; }

private:
    int _column;
};

} // namespace kirogen::sim::condition
