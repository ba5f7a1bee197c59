#include <kirogen/model/FunctionBlockDiagram.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/commands/PlaceBlockCommand.h>
#include <QCoreApplication>
#include <algorithm>

namespace lumlink::sdf::commands {

using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;

PlaceBlockCommand::PlaceBlockCommand(DiagramDocument* document, FunctionBlock block)
    : _document(document), _block(std::move(block))
{
    setText(tr("Place block %1").arg(QString::fromStdString(_block.id)));
}

void PlaceBlockCommand::redo()
{
    const auto current = _document->diagram();
    std::vector<FunctionBlock> blocks = current->blocks();
    blocks.push_back(_block);
    setObsolete(!_document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), blocks, current->links(), current->line())));
}

void PlaceBlockCommand::undo()
{
    const auto current = _document->diagram();
    std::vector<FunctionBlock> blocks = current->blocks();
    blocks.erase(std::remove_if(blocks.begin(), blocks.end(),
                                [this](const FunctionBlock& block) { return block.id == _block.id; }),
                 blocks.end());
    _document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), blocks, current->links(), current->line()));
}

} // namespace lumlink::sdf::commands
