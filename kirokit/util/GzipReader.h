#pragma once

#include <util/DocumentLimit.h>

#include <QByteArray>

#include <cstddef>
#include <string>

namespace util {

// Inflates gzip data (one or more members) into memory. Truncated or non-gzip input and
// output beyond the size limit are reported as errors, never as partial data.
class GzipReader
{
public:
    static constexpr std::size_t defaultLimit = documentLimit;

    explicit GzipReader(std::size_t limit = defaultLimit);

    std::size_t limit() const { return _limit; }

    // False with *error naming the file and the reason on failure. The file is inflated as it
    // is read, so only the inflated data is held; reading stops at the first byte that cannot
    // fit within the limit, also for a file that never ends.
    bool readFile(const std::string& path, QByteArray* out, std::string* error) const;
    bool inflate(const QByteArray& compressed, QByteArray* out, std::string* error) const;

private:
    // Even stored (uncompressed) deflate blocks add only a few bytes per 64 KiB, so more
    // compressed bytes than this cannot inflate to within the limit.
    std::size_t compressedLimit() const { return _limit + _limit / 1024 + 1024; }

    std::size_t _limit;
};

} // namespace util
