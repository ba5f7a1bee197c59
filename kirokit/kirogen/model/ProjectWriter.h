#pragma once

#include <QByteArray>

#include <cstddef>
#include <string>

namespace kirogen::model {

class Project;

// Writes a project as the XML that ProjectReader reads back into the same project.
class ProjectWriter
{
public:
    explicit ProjectWriter(const Project& project);

    // The complete document as UTF-8 text; throws std::invalid_argument when a value holds a
    // character XML cannot carry.
    std::string write() const;
    // The same text without a copy into a std::string: ten megabytes of a large project.
    QByteArray writeBytes() const;

private:
    std::size_t estimatedSize() const;

    const Project& _project;
};

} // namespace kirogen::model
