#pragma once

#include <QCoreApplication>
#include <QUndoCommand>
#include <string>

namespace lumlink::sfc {
class ChartDocument;
}

namespace lumlink::sfc::commands {

// A new, empty function-block diagram made for a step that runs none, and the step set to run
// it: one step, so that undo takes both back.
class RunNewDiagramCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::sfc::commands::RunNewDiagramCommand)

public:
    RunNewDiagramCommand(ChartDocument* document, std::string step, std::string diagram);

    void redo() override;
    void undo() override;

private:
    // Sets the diagram the step runs; false when the model refused.
    bool runs(const std::string& diagram);

    ChartDocument* _document;
    std::string _step;
    std::string _diagram;
};

} // namespace lumlink::sfc::commands
