#include <kirogen/model/FunctionBlockDiagram.h>

#include <algorithm>

namespace kirogen::model {

FunctionBlockDiagram::FunctionBlockDiagram(std::string name, std::vector<FunctionBlock> blocks,
                                           std::vector<DataLink> links, int line)
    : _name(std::move(name)), _blocks(std::move(blocks)), _links(std::move(links)), _line(line)
{
}

const FunctionBlock* FunctionBlockDiagram::block(const std::string& id) const
{
    const auto it =
        std::find_if(_blocks.begin(), _blocks.end(), [&id](const FunctionBlock& b) { return b.id == id; });
    return it == _blocks.end() ? nullptr : &*it;
}

} // namespace kirogen::model
