#pragma once

#include <lumlink/sdf/BlockFragment.h>
#include <QCoreApplication>
#include <QUndoCommand>

namespace lumlink::sdf {
class DiagramDocument;
}

namespace lumlink::sdf::commands {

// Adds a fragment's blocks and links to the diagram, and the global variables they name that
// the project lacks, as one step. Refused as a whole when the model refuses any part.
class PasteBlocksCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sdf::commands::PasteBlocksCommand)

public:
    // The fragment placed into the diagram already (ids and positions its own there).
    PasteBlocksCommand(DiagramDocument* document, BlockFragment fragment,
                       std::vector<BlockFragment::Variable> variables);

    void redo() override;
    void undo() override;

private:
    // Takes the variables out again, newest first.
    void removeVariables(std::size_t count);

    DiagramDocument* _document;
    BlockFragment _fragment;
    std::vector<BlockFragment::Variable> _variables;
};

} // namespace lumlink::sdf::commands
