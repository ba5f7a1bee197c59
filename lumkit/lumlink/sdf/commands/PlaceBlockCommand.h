#pragma once

#include <kirogen/model/FunctionBlock.h>
#include <QCoreApplication>
#include <QUndoCommand>

namespace lumlink::sdf {
class DiagramDocument;
}

namespace lumlink::sdf::commands {

// Adds a new block to the diagram; refused (and dropped from the stack) when the model refuses it.
class PlaceBlockCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sdf::commands::PlaceBlockCommand)

public:
    PlaceBlockCommand(DiagramDocument* document, kirogen::model::FunctionBlock block);

    void redo() override;
    void undo() override;

private:
    DiagramDocument* _document;
    kirogen::model::FunctionBlock _block;
};

} // namespace lumlink::sdf::commands
