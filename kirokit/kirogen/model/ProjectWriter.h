#pragma once

#include <xercesc/dom/DOMDocument.hpp>

namespace kirogen::model {

class Project;

// Writes a project as the XML that ProjectReader reads back into the same project.
class ProjectWriter
{
public:
    explicit ProjectWriter(const Project& project);

    // The complete document; the caller releases it.
    xercesc::DOMDocument* write() const;

private:
    const Project& _project;
};

} // namespace kirogen::model
