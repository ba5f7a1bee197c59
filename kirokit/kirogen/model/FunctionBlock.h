#pragma once

#include <kirogen/model/Position.h>

#include <boost/container/flat_map.hpp>

#include <string>

namespace kirogen::model {

// One block of a function-block diagram: an instance of an actor type with its parameters.
struct FunctionBlock
{
    // By name. Blocks have few parameters, if any: a sorted array, not a tree of nodes.
    using Parameters = boost::container::flat_map<std::string, std::string>;

    std::string id;
    std::string typeId;
    Parameters parameters;
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
