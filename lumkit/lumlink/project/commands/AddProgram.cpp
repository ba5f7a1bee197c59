#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/AddProgram.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

AddProgram::AddProgram(Project* project, std::shared_ptr<kirogen::model::FunctionBlockDiagram> diagram)
    : Command(project), _diagram(std::move(diagram))
{
    setText(QCoreApplication::translate("lumlink::project::commands", "new program %1").arg(name()));
}

AddProgram::AddProgram(Project* project, std::shared_ptr<kirogen::model::SfcModel> chart)
    : Command(project), _chart(std::move(chart))
{
    setText(QCoreApplication::translate("lumlink::project::commands", "new program %1").arg(name()));
}

QString AddProgram::name() const
{
    return QString::fromStdString(_diagram ? _diagram->name() : _chart->name());
}

void AddProgram::redo()
{
    kirogen::model::ProjectEditor& editor = project()->editor();
    std::string error;
    const bool added =
        _diagram ? editor.addDiagram(_diagram, &error)
                 : editor.insertSfc(_chart, project()->kirogenProject()->sfcModels().size(), &error);
    if (!added)
        return refuse(error);
    project()->announceProgramAdded(name());
}

void AddProgram::undo()
{
    kirogen::model::ProjectEditor& editor = project()->editor();
    if (_diagram)
        editor.removeDiagram(_diagram->name(), nullptr);
    else
        editor.removeSfc(_chart->name(), nullptr);
    project()->announceProgramRemoved(name());
}

} // namespace lumlink::project::commands
