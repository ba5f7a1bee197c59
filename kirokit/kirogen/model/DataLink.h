#pragma once

#include <string>

namespace kirogen::model {

// A connection from an output port of one block to an input port of another.
struct DataLink
{
    std::string fromBlock;
    std::string fromPort;
    std::string toBlock;
    std::string toPort;
    int line = 0; // where the link was read from; not part of its content

    bool operator==(const DataLink& other) const
    {
        return fromBlock == other.fromBlock && fromPort == other.fromPort && toBlock == other.toBlock &&
               toPort == other.toPort;
    }
    bool operator!=(const DataLink& other) const { return !(*this == other); }
};

} // namespace kirogen::model
