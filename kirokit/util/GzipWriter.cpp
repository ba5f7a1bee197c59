#include <util/GzipWriter.h>
#include <QSaveFile>
#include <zlib.h>

namespace util {

QByteArray GzipWriter::compress(const QByteArray& data, int level)
{
    z_stream stream = {};
    // 16 + MAX_WBITS asks zlib for a gzip header and trailer.
    if (deflateInit2(&stream, level, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out(static_cast<int>(deflateBound(&stream, static_cast<uLong>(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(static_cast<int>(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

bool GzipWriter::writeFile(const std::string& path, const QByteArray& data, std::string* error)
{
    const QByteArray compressed = compress(data);
    QSaveFile file(QString::fromStdString(path));
    const bool saved = !compressed.isEmpty() && file.open(QIODevice::WriteOnly) &&
                       file.write(compressed) == compressed.size() && file.commit();
    if (!saved && error)
        *error = path + ": " +
                 (compressed.isEmpty() ? std::string("cannot compress") : file.errorString().toStdString());
    return saved;
}

} // namespace util
