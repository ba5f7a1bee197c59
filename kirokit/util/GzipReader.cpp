#include <util/GzipReader.h>

#include <QFile>

#include <zlib.h>

#include <algorithm>

namespace util {

namespace {

bool fail(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

GzipReader::GzipReader(std::size_t limit) : _limit(limit)
{
}

bool GzipReader::readFile(const std::string& path, QByteArray* out, std::string* error) const
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, path + ": " + file.errorString().toStdString());
    // Even stored (uncompressed) deflate blocks add only a few bytes per 64 KiB, so a larger
    // file cannot inflate to within the limit; it is refused before it is read into memory.
    if (static_cast<std::size_t>(file.size()) > _limit + _limit / 1024 + 1024)
        return fail(error, path + ": file is larger than the limit of " + std::to_string(_limit) + " bytes");
    const QByteArray compressed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, path + ": " + file.errorString().toStdString());
    std::string reason;
    if (!inflate(compressed, out, &reason))
        return fail(error, path + ": " + reason);
    return true;
}

bool GzipReader::inflate(const QByteArray& compressed, QByteArray* out, std::string* error) const
{
    out->clear();
    if (compressed.size() < 2 || static_cast<unsigned char>(compressed[0]) != 0x1f ||
        static_cast<unsigned char>(compressed[1]) != 0x8b)
        return fail(error, "not gzip data");

    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return fail(error, "cannot initialise the decompressor");

    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
    stream.avail_in = static_cast<uInt>(compressed.size());

    constexpr std::size_t chunk = 64 * 1024;
    std::string message;
    int status = Z_OK;
    while (true) {
        // One byte beyond the limit tells a stream that ends exactly there from one that goes on.
        const std::size_t used = static_cast<std::size_t>(out->size());
        const std::size_t room = std::min(chunk, _limit + 1 - used);
        out->resize(static_cast<int>(used + room));
        stream.next_out = reinterpret_cast<Bytef*>(out->data() + used);
        stream.avail_out = static_cast<uInt>(room);

        status = ::inflate(&stream, Z_NO_FLUSH);
        out->resize(static_cast<int>(used + room - stream.avail_out));
        if (static_cast<std::size_t>(out->size()) > _limit) {
            message = "inflated data exceeds the limit of " + std::to_string(_limit) + " bytes";
            break;
        }

        if (status == Z_STREAM_END) {
            if (stream.avail_in == 0)
                break;
            // Another gzip member follows (as "cat a.gz b.gz" gives).
            if (inflateReset(&stream) != Z_OK) {
                message = "corrupt gzip data";
                break;
            }
            status = Z_OK;
            continue;
        }
        if (status == Z_BUF_ERROR && stream.avail_in == 0) {
            message = "truncated gzip data";
            break;
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            message = status == Z_DATA_ERROR && stream.msg ? std::string("corrupt gzip data: ") + stream.msg
                                                           : std::string("corrupt gzip data");
            break;
        }
        if (stream.avail_in == 0 && stream.avail_out != 0) {
            message = "truncated gzip data";
            break;
        }
    }
    inflateEnd(&stream);
    if (!message.empty()) {
        out->clear();
        return fail(error, message);
    }
    return true;
}

} // namespace util
