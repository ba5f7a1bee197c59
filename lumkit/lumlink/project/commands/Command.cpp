#include <lumlink/project/Project.h>
#include <lumlink/project/commands/Command.h>

namespace lumlink::project::commands {

void Command::refuse(const std::string& reason)
{
    setObsolete(true);
    _project->refuse(QString::fromStdString(reason));
}

} // namespace lumlink::project::commands
