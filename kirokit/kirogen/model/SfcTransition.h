#pragma once

#include <string>

namespace kirogen::model {

// Moves a sequence chart from one step to another when its condition holds.
struct SfcTransition
{
    std::string from;
    std::string to;
    std::string condition;
    int line = 0; // where the transition was read from; not part of its content

    bool operator==(const SfcTransition& other) const
    {
        return from == other.from && to == other.to && condition == other.condition;
    }
    bool operator!=(const SfcTransition& other) const { return !(*this == other); }
};

} // namespace kirogen::model
