#include <kirogen/model/FunctionBlockDiagram.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/commands/SetParametersCommand.h>

namespace lumlink::sdf::commands {

using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;

SetParametersCommand::SetParametersCommand(DiagramDocument* document, std::string blockId,
                                           FunctionBlock::Parameters parameters)
    : _document(document), _blockId(std::move(blockId)), _after(std::move(parameters))
{
    if (const auto current = _document->diagram()) {
        if (const FunctionBlock* block = current->block(_blockId))
            _before = block->parameters;
    }
    setText(tr("Set the parameters of %1").arg(QString::fromStdString(_blockId)));
}

bool SetParametersCommand::apply(const FunctionBlock::Parameters& parameters)
{
    const auto current = _document->diagram();
    std::vector<FunctionBlock> blocks = current->blocks();
    for (FunctionBlock& block : blocks) {
        if (block.id == _blockId)
            block.parameters = parameters;
    }
    return _document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), blocks, current->links(), current->line()));
}

void SetParametersCommand::redo()
{
    setObsolete(!_document->diagram()->block(_blockId) || !apply(_after));
}

void SetParametersCommand::undo()
{
    apply(_before);
}

} // namespace lumlink::sdf::commands
