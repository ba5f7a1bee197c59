#pragma once

#include <kirogen/model/Position.h>

#include <map>
#include <string>

namespace kirogen::model {

// One block of a function-block diagram: an instance of an actor type with its parameters.
struct FunctionBlock
{
    std::string id;
    std::string typeId;
    std::map<std::string, std::string> parameters;
    Position position;
    int line = 0; // where the block was read from; not part of its content

    bool operator==(const FunctionBlock& other) const
    {
        return id == other.id && typeId == other.typeId && parameters == other.parameters &&
               position == other.position;
    }
    bool operator!=(const FunctionBlock& other) const { return !(*this == other); }
};

} // namespace kirogen::model
