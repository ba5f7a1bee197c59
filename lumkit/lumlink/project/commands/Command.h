#pragma once

#include <QString>
#include <QUndoCommand>
#include <string>

namespace lumlink::project {
class Project;
}

namespace lumlink::project::commands {

// An edit of a project. A command whose first redo() the model refuses marks itself
// obsolete, so that the undo stack drops it, and tells the project why.
class Command : public QUndoCommand
{
public:
    explicit Command(Project* project) : _project(project) {}

protected:
    Project* project() const { return _project; }
    // Call in redo() with the model's reason for refusing.
    void refuse(const std::string& reason);

private:
    Project* _project;
};

} // namespace lumlink::project::commands
