#pragma once

#include <util/xml/Document.h>

#include <future>
#include <optional>
#include <string>

namespace kirolab::interpreter {

// Reads a project file into its document on a worker thread, so that reading a large project
// overlaps loading the system. Only a name ending in ".tkp2" is plain XML; any other name is
// read as gzip-compressed.
class ProjectDocumentReader
{
public:
    struct Result
    {
        util::xml::DocumentPtr document;
        // Why the file could not be uncompressed; there is no document then.
        std::optional<std::string> uncompressError;
    };

    ProjectDocumentReader() = default;
    ProjectDocumentReader(const ProjectDocumentReader&) = delete;
    ProjectDocumentReader& operator=(const ProjectDocumentReader&) = delete;
    // Waits for a read in progress.
    ~ProjectDocumentReader();

    void start(const std::string& path);
    bool isStarted() const { return _result.valid(); }
    // Waits for the read begun by start(); throws what reading threw (util::XmlError, ...).
    Result take();
    // Waits for a read in progress and drops what it gave: the parser must be done before
    // the kit is shut down.
    void wait();

    static Result read(const std::string& path);

private:
    std::future<Result> _result;
};

} // namespace kirolab::interpreter
