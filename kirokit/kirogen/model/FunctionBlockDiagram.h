#pragma once

#include <kirogen/model/DataLink.h>
#include <kirogen/model/FunctionBlock.h>

#include <string>
#include <vector>

namespace kirogen::model {

// A program made of blocks connected by data links.
class FunctionBlockDiagram
{
public:
    FunctionBlockDiagram(std::string name, std::vector<FunctionBlock> blocks, std::vector<DataLink> links,
                         int line = 0);

    const std::string& name() const { return _name; }
    const std::vector<FunctionBlock>& blocks() const { return _blocks; }
    const std::vector<DataLink>& links() const { return _links; }
    int line() const { return _line; }

    // The block with the id, or null.
    const FunctionBlock* block(const std::string& id) const;

private:
    std::string _name;
    std::vector<FunctionBlock> _blocks;
    std::vector<DataLink> _links;
    int _line;
};

} // namespace kirogen::model
