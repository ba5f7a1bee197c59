#pragma once

#include <kirogen/model/Position.h>
#include <QCoreApplication>
#include <QUndoCommand>
#include <map>
#include <string>
#include <utility>

namespace lumlink::sdf {
class DiagramDocument;
}

namespace lumlink::sdf::commands {

// Moves blocks to new positions. Successive moves of the same blocks (a nudge with the arrow keys
// held down) merge into one step that leads back to where they started.
class MoveBlocksCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sdf::commands::MoveBlocksCommand)

public:
    // From where to where, by block id.
    using Moves = std::map<std::string, std::pair<kirogen::model::Position, kirogen::model::Position>>;

    MoveBlocksCommand(DiagramDocument* document, Moves moves, bool mergeable);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void moveTo(bool forward);

    DiagramDocument* _document;
    Moves _moves;
    bool _mergeable;
};

} // namespace lumlink::sdf::commands
