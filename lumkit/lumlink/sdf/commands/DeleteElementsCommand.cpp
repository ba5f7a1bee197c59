#include <kirogen/model/FunctionBlockDiagram.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/commands/DeleteElementsCommand.h>
#include <algorithm>

namespace lumlink::sdf::commands {

using kirogen::model::DataLink;
using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;

DeleteElementsCommand::DeleteElementsCommand(DiagramDocument* document, std::set<std::string> blockIds,
                                             std::vector<DataLink> links)
    : _document(document), _blockIds(std::move(blockIds)), _links(std::move(links))
{
    setText(tr("Delete %n element(s)", nullptr, static_cast<int>(_blockIds.size() + _links.size())));
}

void DeleteElementsCommand::redo()
{
    const auto current = _document->diagram();
    _removedBlocks.clear();
    _removedLinks.clear();
    std::vector<FunctionBlock> blocks;
    for (std::size_t i = 0; i < current->blocks().size(); ++i) {
        const FunctionBlock& block = current->blocks()[i];
        if (_blockIds.count(block.id))
            _removedBlocks.emplace_back(i, block);
        else
            blocks.push_back(block);
    }
    std::vector<DataLink> links;
    for (std::size_t i = 0; i < current->links().size(); ++i) {
        const DataLink& link = current->links()[i];
        if (_blockIds.count(link.fromBlock) || _blockIds.count(link.toBlock) ||
            std::find(_links.begin(), _links.end(), link) != _links.end())
            _removedLinks.emplace_back(i, link);
        else
            links.push_back(link);
    }
    setObsolete((_removedBlocks.empty() && _removedLinks.empty()) ||
                !_document->replace(
                    std::make_shared<FunctionBlockDiagram>(current->name(), blocks, links, current->line())));
}

void DeleteElementsCommand::undo()
{
    const auto current = _document->diagram();
    std::vector<FunctionBlock> blocks = current->blocks();
    for (const auto& [index, block] : _removedBlocks)
        blocks.insert(blocks.begin() + static_cast<std::ptrdiff_t>(std::min(index, blocks.size())), block);
    std::vector<DataLink> links = current->links();
    for (const auto& [index, link] : _removedLinks)
        links.insert(links.begin() + static_cast<std::ptrdiff_t>(std::min(index, links.size())), link);
    _document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), blocks, links, current->line()));
}

} // namespace lumlink::sdf::commands
