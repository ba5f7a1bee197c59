#pragma once

#include <util/xml/Document.h>

#include <QByteArray>

#include <memory>
#include <optional>
#include <string>

namespace kirogen::model {
class Project;
}
namespace util {
class BackgroundTask;
class XmlSerializer;
} // namespace util

namespace kirolab::interpreter {

// A project file read into its document. Only a name ending in ".tkp2" is plain XML; any other
// name is read as gzip-compressed.
class ProjectDocument
{
public:
    // A validated read; throws what reading threw (util::XmlError, ...).
    static ProjectDocument read(const std::string& path);
    // The same with a serializer that keeps its schema grammars for the next read.
    static ProjectDocument read(const std::string& path, util::XmlSerializer& serializer);
    // With a core to spare, the tree is built without validation, which takes about two thirds
    // of a validated read, while another thread validates the same text. Throws the
    // validation's error first when both fail.
    static ProjectDocument readWhileValidating(const std::string& path);

    ProjectDocument(ProjectDocument&&) noexcept;
    ProjectDocument& operator=(ProjectDocument&&) noexcept;
    // Waits for a validation still running.
    ~ProjectDocument();

    // Null when the file could not be uncompressed.
    const util::xml::Document* document() const { return _document.get(); }
    const std::optional<std::string>& uncompressError() const { return _uncompressError; }

    // Builds the project from the document, which must be there. A document read while
    // validating gives the project only once the validation passed, and otherwise throws
    // the validation's error; as the schema normalises some values that the model would
    // refuse unnormalised, a tree the model refuses is read again, validated.
    std::shared_ptr<kirogen::model::Project> createProject();

private:
    ProjectDocument(std::string path, std::optional<std::string> uncompressError);

    std::string _path;
    util::xml::DocumentPtr _document;
    std::optional<std::string> _uncompressError;
    // While the validation runs: the text it reads, also kept for a validated read again.
    std::shared_ptr<const QByteArray> _text;
    std::unique_ptr<util::BackgroundTask> _validation;
};

} // namespace kirolab::interpreter
