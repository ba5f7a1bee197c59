#include <kirogen/model/SfcModel.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/commands/ChangeChartCommand.h>

namespace lumlink::sfc::commands {

ChangeChartCommand::ChangeChartCommand(ChartDocument* document, const QString& text,
                                       std::shared_ptr<const kirogen::model::SfcModel> before,
                                       std::shared_ptr<kirogen::model::SfcModel> after)
    : _document(document), _before(std::make_shared<kirogen::model::SfcModel>(*before)),
      _after(std::move(after))
{
    setText(text);
}

void ChangeChartCommand::redo()
{
    const bool done = _document->replace(_after);
    if (!done)
        setObsolete(true);
}

void ChangeChartCommand::undo()
{
    _document->replace(_before);
}

} // namespace lumlink::sfc::commands
