#pragma once

#include <lumlink/project/commands/Command.h>
#include <memory>

namespace kirogen::model {
class FunctionBlockDiagram;
class SfcModel;
} // namespace kirogen::model

namespace lumlink::project::commands {

// A new program: a function-block diagram, or a sequence chart placed after the others.
class AddProgram : public Command
{
public:
    AddProgram(Project* project, std::shared_ptr<kirogen::model::FunctionBlockDiagram> diagram);
    AddProgram(Project* project, std::shared_ptr<kirogen::model::SfcModel> chart);

    void redo() override;
    void undo() override;

private:
    QString name() const;

    std::shared_ptr<kirogen::model::FunctionBlockDiagram> _diagram;
    std::shared_ptr<kirogen::model::SfcModel> _chart;
};

} // namespace lumlink::project::commands
