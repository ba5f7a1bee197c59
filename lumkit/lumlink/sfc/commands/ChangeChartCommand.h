#pragma once

#include <QUndoCommand>
#include <memory>

namespace kirogen::model {
class SfcModel;
}

namespace lumlink::sfc {
class ChartDocument;
}

namespace lumlink::sfc::commands {

// One edit of a sequence chart, kept as the chart before and after it: a chart is small, and the
// whole changed chart is what the model checks. A change the model refuses marks itself obsolete,
// so that the undo stack drops it.
class ChangeChartCommand : public QUndoCommand
{
public:
    ChangeChartCommand(ChartDocument* document, const QString& text,
                       std::shared_ptr<const kirogen::model::SfcModel> before,
                       std::shared_ptr<kirogen::model::SfcModel> after);

    void redo() override;
    void undo() override;

private:
    ChartDocument* _document;
    std::shared_ptr<kirogen::model::SfcModel> _before;
    std::shared_ptr<kirogen::model::SfcModel> _after;
};

} // namespace lumlink::sfc::commands
