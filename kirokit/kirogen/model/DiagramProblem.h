#pragma once

#include <cstddef>
#include <string>

namespace kirogen::model {

// What is wrong with a function-block diagram, and where: a block, one of its parameters, or
// a link, by index in the diagram.
struct DiagramProblem
{
    enum Subject
    {
        Block,
        Parameter,
        Link
    };

    Subject subject = Block;
    std::size_t index = 0; // of the block (Block, Parameter) or the link (Link)
    std::string parameter; // the parameter's name, for Parameter
    int line = 0;          // where the block or link was read from
    std::string message;
};

} // namespace kirogen::model
