#pragma once

#include <string>

namespace kirogen::sdf {

// A connection point of a function block as its declaration in units/ names it.
struct ActorPort
{
    enum Direction
    {
        In,
        Out
    };

    std::string name;
    Direction direction = In;
    // A data type name of config/types.xml, or "any" for ports that pass whatever they get.
    std::string typeName;
};

} // namespace kirogen::sdf
