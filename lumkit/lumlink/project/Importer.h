#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

class QUndoCommand;

namespace kirogen::model {
class Project;
}

namespace lumlink::project {

class Project;

// Reads another project file and prepares the copy of some of its programs into a project.
class Importer
{
public:
    // False with error() naming the file and line of the fault.
    bool read(const QString& path);
    QString error() const { return _error; }

    // Each sequence chart with the diagrams its steps run; under "" the diagrams no chart runs.
    QMap<QString, QStringList> programs() const;
    // Device name to device type id.
    QMap<QString, QString> devices() const;

    // The command that copies the selected programs (names of charts or diagrams) into the
    // project; a chart brings the diagrams it runs. Null, with error(), for an unknown name
    // or a mapping onto a device that is missing or of another type.
    QUndoCommand* importCommand(Project* project, const QStringList& selection,
                                const QMap<QString, QString>& mapping);

private:
    std::shared_ptr<kirogen::model::Project> _other;
    QString _error;
};

} // namespace lumlink::project
