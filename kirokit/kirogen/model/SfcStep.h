#pragma once

#include <kirogen/model/Position.h>

#include <string>

namespace kirogen::model {

// A step of a sequence chart; while active it runs its diagram (if any) every cycle.
struct SfcStep
{
    std::string name;
    bool initial = false;
    std::string diagram;
    Position position;
    int line = 0; // where the step was read from; not part of its content

    bool operator==(const SfcStep& other) const
    {
        return name == other.name && initial == other.initial && diagram == other.diagram &&
               position == other.position;
    }
    bool operator!=(const SfcStep& other) const { return !(*this == other); }
};

} // namespace kirogen::model
