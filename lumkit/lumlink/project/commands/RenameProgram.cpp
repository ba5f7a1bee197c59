#include <kirogen/model/ProjectEditor.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/RenameProgram.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

RenameProgram::RenameProgram(Project* project, const QString& name, const QString& newName)
    : Command(project), _name(name), _newName(newName)
{
    setText(QCoreApplication::translate("lumlink::project::commands", "rename program %1").arg(name));
}

void RenameProgram::redo()
{
    std::string error;
    if (!project()->editor().renameProgram(_name.toStdString(), _newName.toStdString(), &error))
        return refuse(error);
    project()->announceProgramRenamed(_name, _newName);
}

void RenameProgram::undo()
{
    project()->editor().renameProgram(_newName.toStdString(), _name.toStdString(), nullptr);
    project()->announceProgramRenamed(_newName, _name);
}

} // namespace lumlink::project::commands
