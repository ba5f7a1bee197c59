#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/commands/RunNewDiagramCommand.h>

namespace lumlink::sfc::commands {

RunNewDiagramCommand::RunNewDiagramCommand(ChartDocument* document, std::string step, std::string diagram)
    : _document(document), _step(std::move(step)), _diagram(std::move(diagram))
{
    setText(tr("New diagram %1 for step %2")
                .arg(QString::fromStdString(_diagram), QString::fromStdString(_step)));
}

bool RunNewDiagramCommand::runs(const std::string& diagram)
{
    const auto current = _document->chart();
    std::vector<kirogen::model::SfcStep> steps = current->steps();
    for (auto& step : steps) {
        if (step.name == _step)
            step.diagram = diagram;
    }
    return _document->replace(std::make_shared<kirogen::model::SfcModel>(
        current->name(), steps, current->transitions(), current->line()));
}

void RunNewDiagramCommand::redo()
{
    if (!_document->addDiagram(std::make_shared<kirogen::model::FunctionBlockDiagram>(
            _diagram, std::vector<kirogen::model::FunctionBlock>(),
            std::vector<kirogen::model::DataLink>()))) {
        setObsolete(true);
        return;
    }
    if (!runs(_diagram)) {
        _document->removeDiagram(_diagram);
        setObsolete(true);
    }
}

void RunNewDiagramCommand::undo()
{
    // The step lets go of the diagram first: the model keeps a diagram that a step runs.
    runs(std::string());
    _document->removeDiagram(_diagram);
}

} // namespace lumlink::sfc::commands
