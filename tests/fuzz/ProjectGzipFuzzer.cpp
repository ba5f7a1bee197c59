// A compressed project file (".tkpx"). The input is gzipped here, so that the projects behind
// the inflater are reached, unless it already starts as gzip data, so that the inflater's own
// refusals are reached too. The inflater's two ways in (a file, read and inflated in pieces,
// and data in memory) must agree, and a lower limit must cut exactly where the data exceeds it.
#include <util/GzipReader.h>
#include <FuzzCheck.h>
#include <FuzzEnvironment.h>
#include <ProjectInput.h>

#include <QByteArray>

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

QByteArray gzip(const QByteArray& data)
{
    z_stream stream{};
    FUZZ_CHECK(deflateInit2(&stream, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK,
               "cannot set up deflate");
    QByteArray out(static_cast<int>(deflateBound(&stream, static_cast<uLong>(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    FUZZ_CHECK(deflate(&stream, Z_FINISH) == Z_STREAM_END, "deflate did not finish");
    out.resize(static_cast<int>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

void checkInflater(const QByteArray& compressed, const std::string& path)
{
    QByteArray whole;
    std::string error;
    const bool inflated = util::GzipReader().inflate(compressed, &whole, &error);
    FUZZ_CHECK(inflated || (whole.isEmpty() && !error.empty()), "a refusal left data or gave no reason");

    QByteArray read;
    std::string readError;
    const bool readWhole = util::GzipReader().readFile(path, &read, &readError);
    FUZZ_CHECK(readWhole == inflated && read == whole,
               "the file gives other data than memory: \"" + readError + "\" against \"" + error + "\"");

    // Just enough room for the data, or one byte too little.
    const std::size_t limit =
        whole.isEmpty() ? 0 : static_cast<std::size_t>(whole.size()) - (compressed.size() % 2 == 0 ? 0 : 1);
    QByteArray cut;
    std::string cutError;
    const bool fits = util::GzipReader(limit).inflate(compressed, &cut, &cutError);
    if (inflated && static_cast<std::size_t>(whole.size()) <= limit) {
        FUZZ_CHECK(fits && cut == whole,
                   "data within the limit of " + std::to_string(limit) + " was refused: " + cutError);
    } else if (inflated) {
        FUZZ_CHECK(!fits && cut.isEmpty() && cutError.find("exceeds the limit") != std::string::npos,
                   "data beyond the limit of " + std::to_string(limit) + " gave \"" + cutError + "\"");
    } else {
        FUZZ_CHECK(!fits && cut.isEmpty(), "data that cannot be inflated passed a lower limit");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::application();
    fuzz::loadShippedSystem();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const bool alreadyGzip = size >= 2 && data[0] == 0x1f && data[1] == 0x8b;
    const QByteArray compressed = alreadyGzip ? input : gzip(input);
    const std::string path = fuzz::writeScratchFile("input.tkpx", compressed.constData(), compressed.size());
    checkInflater(compressed, path);
    fuzz::openProjectFile(path);
    return 0;
}
