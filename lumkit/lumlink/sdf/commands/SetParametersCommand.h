#pragma once

#include <kirogen/model/FunctionBlock.h>
#include <QCoreApplication>
#include <QUndoCommand>
#include <string>

namespace lumlink::sdf {
class DiagramDocument;
}

namespace lumlink::sdf::commands {

// Gives a block new parameter texts; refused, with the model's reason, when the diagram would
// then not compile (a value that does not fit, a name the project lacks).
class SetParametersCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sdf::commands::SetParametersCommand)

public:
    SetParametersCommand(DiagramDocument* document, std::string blockId,
                         kirogen::model::FunctionBlock::Parameters parameters);

    void redo() override;
    void undo() override;

private:
    bool apply(const kirogen::model::FunctionBlock::Parameters& parameters);

    DiagramDocument* _document;
    std::string _blockId;
    kirogen::model::FunctionBlock::Parameters _before;
    kirogen::model::FunctionBlock::Parameters _after;
};

} // namespace lumlink::sdf::commands
