#pragma once

#include <kirogen/model/DataLink.h>
#include <kirogen/model/FunctionBlock.h>
#include <QCoreApplication>
#include <QUndoCommand>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lumlink::sdf {
class DiagramDocument;
}

namespace lumlink::sdf::commands {

// Deletes blocks with every link at them, and single links. Undo puts them back in their places
// in the diagram's order, which decides the evaluation order among independent blocks.
class DeleteElementsCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sdf::commands::DeleteElementsCommand)

public:
    DeleteElementsCommand(DiagramDocument* document, std::set<std::string> blockIds,
                          std::vector<kirogen::model::DataLink> links);

    void redo() override;
    void undo() override;

private:
    DiagramDocument* _document;
    std::set<std::string> _blockIds;
    std::vector<kirogen::model::DataLink> _links;
    // What redo took out, with the index each had.
    std::vector<std::pair<std::size_t, kirogen::model::FunctionBlock>> _removedBlocks;
    std::vector<std::pair<std::size_t, kirogen::model::DataLink>> _removedLinks;
};

} // namespace lumlink::sdf::commands
