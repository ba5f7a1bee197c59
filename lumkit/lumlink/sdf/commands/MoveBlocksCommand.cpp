#include <kirogen/model/FunctionBlockDiagram.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/commands/MoveBlocksCommand.h>

namespace lumlink::sdf::commands {

using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;

MoveBlocksCommand::MoveBlocksCommand(DiagramDocument* document, Moves moves, bool mergeable)
    : _document(document), _moves(std::move(moves)), _mergeable(mergeable)
{
    setText(_moves.size() == 1 ? tr("Move block %1").arg(QString::fromStdString(_moves.begin()->first))
                               : tr("Move %n blocks", nullptr, static_cast<int>(_moves.size())));
}

void MoveBlocksCommand::moveTo(bool forward)
{
    const auto current = _document->diagram();
    std::vector<FunctionBlock> blocks = current->blocks();
    for (FunctionBlock& block : blocks) {
        const auto move = _moves.find(block.id);
        if (move != _moves.end())
            block.position = forward ? move->second.second : move->second.first;
    }
    const bool done = _document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), blocks, current->links(), current->line()));
    if (forward)
        setObsolete(!done);
}

void MoveBlocksCommand::redo()
{
    moveTo(true);
}

void MoveBlocksCommand::undo()
{
    moveTo(false);
}

int MoveBlocksCommand::id() const
{
    return 1;
}

bool MoveBlocksCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const MoveBlocksCommand*>(other);
    if (!_mergeable || !next->_mergeable || next->_document != _document ||
        next->_moves.size() != _moves.size())
        return false;
    for (const auto& [id, move] : _moves) {
        const auto found = next->_moves.find(id);
        if (found == next->_moves.end() || found->second.first != move.second)
            return false;
    }
    for (auto& [id, move] : _moves)
        move.second = next->_moves.at(id).second;
    return true;
}

} // namespace lumlink::sdf::commands
