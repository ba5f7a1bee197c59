#pragma once

#include <QByteArray>

#include <cstddef>
#include <string>

namespace util {

// Inflates gzip data (one or more members) into memory. Truncated or non-gzip input and
// output beyond the size limit are reported as errors, never as partial data.
class GzipReader
{
public:
    static constexpr std::size_t defaultLimit = std::size_t(256) * 1024 * 1024;

    explicit GzipReader(std::size_t limit = defaultLimit);

    std::size_t limit() const { return _limit; }

    // False with *error naming the file and the reason on failure.
    bool readFile(const std::string& path, QByteArray* out, std::string* error) const;
    bool inflate(const QByteArray& compressed, QByteArray* out, std::string* error) const;

private:
    std::size_t _limit;
};

} // namespace util
