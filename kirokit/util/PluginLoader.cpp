#include <util/PluginLoader.h>

#include <QDir>
#include <QFileInfo>

namespace util {

PluginLoader& PluginLoader::singleton()
{
    static PluginLoader instance;
    return instance;
}

void PluginLoader::addGlobalSearchPath(const QString& dir)
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (!_searchPaths.contains(dir))
        _searchPaths.append(dir);
}

QStringList PluginLoader::globalSearchPaths() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _searchPaths;
}

QString PluginLoader::find(const QString& name) const
{
    const QStringList candidates{QStringLiteral("lib%1.so").arg(name), QStringLiteral("%1.so").arg(name)};
    for (const QString& path : globalSearchPaths()) {
        const QDir dir(path);
        for (const QString& candidate : candidates) {
            const QFileInfo file(dir.filePath(candidate));
            if (file.isFile())
                return file.absoluteFilePath();
        }
    }
    return QString();
}

std::unique_ptr<QLibrary> PluginLoader::load(const QString& name, QString* error) const
{
    const QString path = find(name);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Plug-in %1 not found in: %2").arg(name, globalSearchPaths().join(';'));
        return nullptr;
    }
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load()) {
        if (error)
            *error = library->errorString();
        return nullptr;
    }
    return library;
}

} // namespace util
