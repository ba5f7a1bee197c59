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

// One inflation of a gzip stream that arrives in pieces, into *out, up to the limit.
class Inflation
{
public:
    Inflation(std::size_t limit, QByteArray* out) : _limit(limit), _out(out)
    {
        _out->clear();
        _initialised = inflateInit2(&_stream, 16 + MAX_WBITS) == Z_OK;
    }
    ~Inflation()
    {
        if (_initialised)
            inflateEnd(&_stream);
    }
    Inflation(const Inflation&) = delete;
    Inflation& operator=(const Inflation&) = delete;

    // False, with the reason, as soon as the data cannot be inflated.
    bool feed(const char* data, std::size_t size, std::string* message)
    {
        if (!_initialised) {
            *message = "cannot initialise the decompressor";
            return false;
        }
        static const unsigned char magic[] = {0x1f, 0x8b};
        for (std::size_t i = 0; i < size && _fed + i < sizeof magic; ++i) {
            if (static_cast<unsigned char>(data[i]) != magic[_fed + i]) {
                *message = "not gzip data";
                return false;
            }
        }
        _fed += size;
        if (size == 0)
            return true;
        // Another gzip member follows (as "cat a.gz b.gz" gives).
        if (_memberEnded && inflateReset(&_stream) != Z_OK) {
            *message = "corrupt gzip data";
            return false;
        }
        _memberEnded = false;

        _stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        _stream.avail_in = static_cast<uInt>(size);
        constexpr std::size_t chunk = 64 * 1024;
        for (;;) {
            // One byte beyond the limit tells a stream that ends exactly there from one that goes on.
            const std::size_t used = static_cast<std::size_t>(_out->size());
            const std::size_t room = std::min(chunk, _limit + 1 - used);
            resizeWithin(_out, static_cast<int>(used + room), _limit);
            _stream.next_out = reinterpret_cast<Bytef*>(_out->data() + used);
            _stream.avail_out = static_cast<uInt>(room);

            const int status = ::inflate(&_stream, Z_NO_FLUSH);
            const bool outputFull = _stream.avail_out == 0;
            _out->resize(static_cast<int>(used + room - _stream.avail_out));
            if (static_cast<std::size_t>(_out->size()) > _limit) {
                *message = "inflated data exceeds the limit of " + std::to_string(_limit) + " bytes";
                return false;
            }

            if (status == Z_STREAM_END) {
                if (_stream.avail_in == 0) {
                    _memberEnded = true;
                    return true;
                }
                if (inflateReset(&_stream) != Z_OK) {
                    *message = "corrupt gzip data";
                    return false;
                }
                continue;
            }
            const bool stuck = status == Z_BUF_ERROR && _stream.avail_in != 0 && !outputFull;
            if ((status != Z_OK && status != Z_BUF_ERROR) || stuck) {
                *message = status == Z_DATA_ERROR && _stream.msg
                               ? std::string("corrupt gzip data: ") + _stream.msg
                               : std::string("corrupt gzip data");
                return false;
            }
            // The piece is used up and everything it gave is out: wait for the next one.
            if (_stream.avail_in == 0 && !outputFull)
                return true;
        }
    }

    // After the last piece: false unless the data ended with a complete member.
    bool finish(std::string* message) const
    {
        if (_fed < 2) {
            *message = "not gzip data";
            return false;
        }
        if (!_memberEnded) {
            *message = "truncated gzip data";
            return false;
        }
        return true;
    }

private:
    const std::size_t _limit;
    QByteArray* const _out;
    z_stream _stream{};
    bool _initialised = false;
    std::size_t _fed = 0;
    bool _memberEnded = false;
};

} // namespace

GzipReader::GzipReader(std::size_t limit) : _limit(limit)
{
}

bool GzipReader::readFile(const std::string& path, QByteArray* out, std::string* error) const
{
    out->clear();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, path + ": " + file.errorString().toStdString());
    const std::string tooLarge =
        path + ": file is larger than the limit of " + std::to_string(_limit) + " bytes";
    // Refused before it is read at all; a device or pipe says 0 here and is counted as it is read.
    if (static_cast<std::size_t>(file.size()) > compressedLimit())
        return fail(error, tooLarge);

    Inflation inflation(_limit, out);
    std::string reason;
    std::size_t total = 0;
    static constexpr qint64 chunk = 64 * 1024;
    char buffer[chunk];
    for (;;) {
        const qint64 count = file.read(buffer, chunk);
        if (count < 0) {
            out->clear();
            return fail(error, path + ": " + file.errorString().toStdString());
        }
        if (count == 0)
            break;
        total += static_cast<std::size_t>(count);
        if (total > compressedLimit()) {
            out->clear();
            return fail(error, tooLarge);
        }
        if (!inflation.feed(buffer, static_cast<std::size_t>(count), &reason)) {
            out->clear();
            return fail(error, path + ": " + reason);
        }
    }
    if (!inflation.finish(&reason)) {
        out->clear();
        return fail(error, path + ": " + reason);
    }
    return true;
}

bool GzipReader::inflate(const QByteArray& compressed, QByteArray* out, std::string* error) const
{
    Inflation inflation(_limit, out);
    std::string reason;
    if (!inflation.feed(compressed.constData(), static_cast<std::size_t>(compressed.size()), &reason) ||
        !inflation.finish(&reason)) {
        out->clear();
        return fail(error, reason);
    }
    return true;
}

} // namespace util
