#include <kirolab/interpreter/ProjectDocument.h>

#include <util/GzipReader.h>
#include <util/XmlSerializer.h>

#include <QByteArray>

namespace kirolab::interpreter {

namespace {

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

ProjectDocument ProjectDocument::read(const std::string& path)
{
    ProjectDocument result;
    if (endsWith(path, ".tkp2")) {
        result.document = util::XmlSerializer().load(path, true);
        return result;
    }
    QByteArray data;
    std::string error;
    if (util::GzipReader().readFile(path, &data, &error))
        result.document =
            util::XmlSerializer().loadFromMem(data.constData(), static_cast<std::size_t>(data.size()), true, path);
    else
        result.uncompressError = error;
    return result;
}

} // namespace kirolab::interpreter
