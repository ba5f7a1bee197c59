#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace util {

// Finds and loads plug-in libraries from the registered search paths, in the order the
// paths were added.
class PluginLoader
{
public:
    static PluginLoader& singleton();

    // Adding a path twice keeps its first position.
    void addGlobalSearchPath(const QString& dir);
    QStringList globalSearchPaths() const;

    // The path of the library named name ("foo" finds libfoo.so or foo.so), empty when no
    // search path holds it.
    QString find(const QString& name) const;

    // Loads the library; on failure returns null and sets *error to the reason.
    std::unique_ptr<QLibrary> load(const QString& name, QString* error = nullptr) const;

private:
    PluginLoader() = default;

    mutable std::mutex _mutex;
    QStringList _searchPaths;
};

} // namespace util
