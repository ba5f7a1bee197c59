#include <util/SchemaResolver.h>
#include <util/XmlError.h>
#include <util/XmlString.h>

#include <xercesc/framework/LocalFileInputSource.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace util {

namespace {

bool isInside(const QString& file, const QString& dir)
{
    return file.startsWith(dir + QLatin1Char('/'));
}

} // namespace

SchemaResolver::SchemaResolver(std::vector<std::string> searchPaths, std::string documentPath)
    : _searchPaths(std::move(searchPaths)), _documentPath(std::move(documentPath))
{
}

std::string SchemaResolver::resolve(const std::string& systemId, int line, int column) const
{
    const QString id = QString::fromStdString(systemId);
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (scheme.match(id).hasMatch())
        throw XmlError(_documentPath, line, column,
                       "refusing to fetch \"" + systemId +
                           "\": only files in the schema search paths are read");
    if (_searchPaths.empty())
        throw XmlError(_documentPath, line, column,
                       "cannot resolve \"" + systemId + "\": no schema search path is registered");

    for (const std::string& path : _searchPaths) {
        const QString dir = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
        if (dir.isEmpty())
            continue;
        const QString candidate = QFileInfo(id).isAbsolute() ? id : QDir(dir).filePath(id);
        const QString file = QFileInfo(candidate).canonicalFilePath();
        if (!file.isEmpty() && isInside(file, dir) && QFileInfo(file).isFile())
            return file.toStdString();
    }
    throw XmlError(_documentPath, line, column,
                   "refusing \"" + systemId + "\": it is not a file inside the schema search paths");
}

xercesc::InputSource* SchemaResolver::resolveEntity(xercesc::XMLResourceIdentifier* resource)
{
    const xercesc::Locator* locator = resource->getLocator();
    const int line = locator ? static_cast<int>(locator->getLineNumber()) : 0;
    const int column = locator ? static_cast<int>(locator->getColumnNumber()) : 0;
    try {
        const std::string file = resolve(XmlString(resource->getSystemId()).toStdString(), line, column);
        return new xercesc::LocalFileInputSource(XmlString(file).xmlText());
    } catch (const XmlError& error) {
        if (!_refusal)
            _refusal = error;
        return nullptr;
    }
}

} // namespace util
