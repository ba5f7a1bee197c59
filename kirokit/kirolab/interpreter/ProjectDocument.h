#pragma once

#include <util/xml/Document.h>

#include <optional>
#include <string>

namespace kirolab::interpreter {

// A project file read into its document. Only a name ending in ".tkp2" is plain XML; any other
// name is read as gzip-compressed.
struct ProjectDocument
{
    util::xml::DocumentPtr document;
    // Why the file could not be uncompressed; there is no document then.
    std::optional<std::string> uncompressError;

    // Throws what reading threw (util::XmlError, ...).
    static ProjectDocument read(const std::string& path);
};

} // namespace kirolab::interpreter
