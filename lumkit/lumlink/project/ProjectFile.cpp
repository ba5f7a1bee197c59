#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/Project.h>
#include <lumlink/project/ProjectFile.h>
#include <util/GzipReader.h>
#include <util/GzipWriter.h>
#include <util/XTime.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>
#include <QSaveFile>
#include <exception>

namespace lumlink::project {

bool ProjectFile::isPlain(const QString& path)
{
    return path.endsWith(QLatin1String(".tkp2"));
}

std::shared_ptr<kirogen::model::Project> ProjectFile::read(const QString& path, QString* error)
{
    const std::string file = path.toStdString();
    try {
        util::xml::DocumentPtr document;
        if (isPlain(path)) {
            document = util::XmlSerializer().load(file, true);
        } else {
            QByteArray text;
            std::string reason;
            if (!util::GzipReader().readFile(file, &text, &reason)) {
                *error = QString::fromStdString(reason);
                return nullptr;
            }
            document = util::XmlSerializer().loadFromMem(text.constData(),
                                                         static_cast<std::size_t>(text.size()), true, file);
        }
        return kirogen::model::Project::create(
            document->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
    } catch (const std::exception& e) {
        *error = QString::fromStdString(e.what());
    }
    return nullptr;
}

bool ProjectFile::write(const kirogen::model::Project& project, const QString& path, QString* error)
{
    QByteArray bytes;
    try {
        bytes = project.toXmlBytes();
    } catch (const std::exception& e) {
        *error = QString::fromStdString(e.what());
        return false;
    }
    if (!isPlain(path))
        bytes = util::GzipWriter::compress(bytes);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace lumlink::project
