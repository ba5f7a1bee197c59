#pragma once

#include <QByteArray>
#include <string>

namespace util {

// Writes gzip data: the compressed form of the kit's files (".tkpx").
class GzipWriter
{
public:
    static QByteArray compress(const QByteArray& data, int level = 6);

    // Compresses and replaces the file at path in one step: a failed write leaves the old file
    // as it was. False with *error naming the file and the reason.
    static bool writeFile(const std::string& path, const QByteArray& data, std::string* error);
};

} // namespace util
