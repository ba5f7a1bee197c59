#pragma once

#include <kirogen/model/DataLink.h>
#include <QCoreApplication>
#include <QUndoCommand>

namespace lumlink::sdf {
class DiagramDocument;
}

namespace lumlink::sdf::commands {

// Links an output to an input. Refused with the reason when the port types cannot convert, or
// when the model refuses the link (unknown port, an input fed twice, a loop without a delay).
class AddLinkCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sdf::commands::AddLinkCommand)

public:
    AddLinkCommand(DiagramDocument* document, kirogen::model::DataLink link);

    void redo() override;
    void undo() override;

private:
    bool typesFit() const;

    DiagramDocument* _document;
    kirogen::model::DataLink _link;
};

} // namespace lumlink::sdf::commands
