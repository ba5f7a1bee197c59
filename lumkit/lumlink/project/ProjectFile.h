#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace kirogen::model {
class Project;
}

namespace lumlink::project {

// Reading and writing project files: ".tkp2" is plain XML, any other name the same text
// gzip-compressed.
class ProjectFile
{
public:
    static bool isPlain(const QString& path);

    // The project of the file, validated against its schema; null with *error naming the
    // file and line of the fault, as the runtime kit reports it.
    static std::shared_ptr<kirogen::model::Project> read(const QString& path, QString* error);

    // Replaces the file in one step (QSaveFile): on any failure the old file stays as it was.
    static bool write(const kirogen::model::Project& project, const QString& path, QString* error);
};

} // namespace lumlink::project
