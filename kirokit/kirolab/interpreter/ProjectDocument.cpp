#include <kirolab/interpreter/ProjectDocument.h>

#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/Project.h>
#include <util/BackgroundTask.h>
#include <util/GzipReader.h>
#include <util/XTime.h>
#include <util/XmlSerializer.h>
#include <util/xml/Element.h>

#include <system_error>

namespace kirolab::interpreter {

namespace {

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The XML text of a project file, uncompressed; empty, with the reason set, when a compressed
// file cannot be read.
QByteArray projectText(const std::string& path, std::optional<std::string>* uncompressError)
{
    if (endsWith(path, ".tkp2"))
        return util::XmlSerializer::readFile(path);
    QByteArray text;
    std::string error;
    if (!util::GzipReader().readFile(path, &text, &error))
        *uncompressError = error;
    return text;
}

util::xml::DocumentPtr load(const QByteArray& text, bool validate, const std::string& path)
{
    return util::XmlSerializer().loadFromMem(text.constData(), static_cast<std::size_t>(text.size()),
                                             validate, path);
}

// Whether validating changed a value that the unvalidated tree holds: the schema normalises
// the white space of some values. The defaults it adds build the same project as their absence.
bool normalisedAValue(const util::xml::Element* unvalidated, const util::xml::Element* validated)
{
    for (const util::xml::Attribute& attribute : unvalidated->attributes()) {
        if (validated->attribute(attribute.name) != attribute.value)
            return true;
    }
    const util::xml::Element* child = unvalidated->firstChild();
    const util::xml::Element* validatedChild = validated->firstChild();
    for (; child && validatedChild;
         child = child->nextSibling(), validatedChild = validatedChild->nextSibling()) {
        if (normalisedAValue(child, validatedChild))
            return true;
    }
    return false;
}

std::shared_ptr<kirogen::model::Project> create(const util::xml::Document& document)
{
    return kirogen::model::Project::create(
        document.root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
}

} // namespace

ProjectDocument::ProjectDocument(std::string path, std::optional<std::string> uncompressError)
    : _path(std::move(path)), _uncompressError(std::move(uncompressError))
{
}

ProjectDocument::ProjectDocument(ProjectDocument&&) noexcept = default;
ProjectDocument& ProjectDocument::operator=(ProjectDocument&&) noexcept = default;
ProjectDocument::~ProjectDocument() = default;

ProjectDocument ProjectDocument::read(const std::string& path)
{
    util::XmlSerializer serializer;
    return read(path, serializer);
}

ProjectDocument ProjectDocument::read(const std::string& path, util::XmlSerializer& serializer)
{
    std::optional<std::string> uncompressError;
    const QByteArray text = projectText(path, &uncompressError);
    ProjectDocument result(path, std::move(uncompressError));
    if (!result._uncompressError)
        result._document =
            serializer.loadFromMem(text.constData(), static_cast<std::size_t>(text.size()), true, path);
    return result;
}

ProjectDocument ProjectDocument::readWhileValidating(const std::string& path)
{
    if (util::BackgroundTask::usableCores() < 2)
        return read(path);
    std::optional<std::string> uncompressError;
    auto text = std::make_shared<const QByteArray>(projectText(path, &uncompressError));
    ProjectDocument result(path, std::move(uncompressError));
    if (result._uncompressError)
        return result;
    try {
        result._validation = std::make_unique<util::BackgroundTask>([text, path] {
            util::XmlSerializer().validate(text->constData(), static_cast<std::size_t>(text->size()), path);
        });
    } catch (const std::system_error&) {
        result._document = load(*text, true, path);
        return result;
    }
    result._text = std::move(text);
    try {
        result._document = load(*result._text, false, path);
    } catch (...) {
        // Malformed text fails the validation too, at the latest where the tree failed.
        result._validation->wait();
        throw;
    }
    return result;
}

std::shared_ptr<kirogen::model::Project> ProjectDocument::createProject()
{
    if (!_validation)
        return create(*_document);
    std::shared_ptr<kirogen::model::Project> project;
    try {
        project = create(*_document);
    } catch (const std::exception&) {
        _validation->wait();
        util::xml::DocumentPtr validated = load(*_text, true, _path);
        _text.reset();
        // Built again only where it can come out otherwise, lest its messages come twice.
        if (!normalisedAValue(_document->root(), validated->root()))
            throw;
        _document = std::move(validated);
        return create(*_document);
    }
    _validation->wait();
    _text.reset();
    return project;
}

} // namespace kirolab::interpreter
