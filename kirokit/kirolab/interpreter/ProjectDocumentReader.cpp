#include <kirolab/interpreter/ProjectDocumentReader.h>

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

ProjectDocumentReader::~ProjectDocumentReader()
{
    wait();
}

void ProjectDocumentReader::start(const std::string& path)
{
    wait();
    try {
        _result = std::async(std::launch::async, &ProjectDocumentReader::read, path);
    } catch (const std::system_error&) {
        // No thread to spare: the caller reads when it needs the document.
        _result = {};
    }
}

ProjectDocumentReader::Result ProjectDocumentReader::take()
{
    return _result.get();
}

void ProjectDocumentReader::wait()
{
    if (_result.valid())
        _result.wait();
}

ProjectDocumentReader::Result ProjectDocumentReader::read(const std::string& path)
{
    Result result;
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
