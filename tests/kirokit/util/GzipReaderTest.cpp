#include <util/GzipReader.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zlib.h>

using util::GzipReader;

namespace {

QByteArray gzip(const QByteArray& data)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    QByteArray out(static_cast<int>(deflateBound(&stream, static_cast<uLong>(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(static_cast<int>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// Bytes that hardly compress, so that the compressed file spans several pieces.
QByteArray noise(int size)
{
    QByteArray data(size, '\0');
    quint32 state = 12345;
    for (char& byte : data) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return data;
}

QByteArray sample(int size)
{
    QByteArray data;
    for (int i = 0; data.size() < size; ++i)
        data += QByteArray::number(i * 7919 % 1000) + ',';
    return data.left(size);
}

TEST(GzipReaderTest, InflatesSingleAndConcatenatedMembers)
{
    const QByteArray data = sample(300000);
    QByteArray out;
    std::string error;
    ASSERT_TRUE(GzipReader().inflate(gzip(data), &out, &error)) << error;
    EXPECT_EQ(out, data);

    ASSERT_TRUE(GzipReader().inflate(gzip("first ") + gzip("second"), &out, &error)) << error;
    EXPECT_EQ(out, "first second");

    ASSERT_TRUE(GzipReader().inflate(gzip(QByteArray()), &out, &error)) << error;
    EXPECT_TRUE(out.isEmpty());
}

TEST(GzipReaderTest, RefusesTruncatedCorruptAndPlainData)
{
    const QByteArray compressed = gzip(sample(100000));
    QByteArray out = "stale";
    std::string error;
    for (int cut : {1, 10, compressed.size() / 2, compressed.size() - 4, compressed.size() - 1}) {
        EXPECT_FALSE(GzipReader().inflate(compressed.left(cut), &out, &error)) << cut;
        EXPECT_TRUE(out.isEmpty());
    }
    EXPECT_FALSE(GzipReader().inflate(compressed.left(compressed.size() / 2), &out, &error));
    EXPECT_NE(error.find("truncated"), std::string::npos) << error;

    EXPECT_FALSE(GzipReader().inflate("<?xml version=\"1.0\"?><project/>", &out, &error));
    EXPECT_EQ(error, "not gzip data");

    QByteArray corrupt = compressed;
    for (int i = 20; i < 60; ++i)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5a);
    EXPECT_FALSE(GzipReader().inflate(corrupt, &out, &error));

    EXPECT_FALSE(GzipReader().inflate(compressed + "trailing garbage", &out, &error));
}

TEST(GzipReaderTest, StopsAtTheLimit)
{
    const QByteArray data(100000, 'a');
    QByteArray out;
    std::string error;
    EXPECT_FALSE(GzipReader(99999).inflate(gzip(data), &out, &error));
    EXPECT_NE(error.find("limit"), std::string::npos) << error;
    EXPECT_TRUE(out.isEmpty());

    EXPECT_TRUE(GzipReader(100000).inflate(gzip(data), &out, &error)) << error;
    EXPECT_EQ(out.size(), data.size());
    EXPECT_EQ(GzipReader().limit(), std::size_t(256) * 1024 * 1024);
}

TEST(GzipReaderTest, ReadFileNamesThePath)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("absent.tkpx").toStdString();
    QByteArray out;
    std::string error;
    EXPECT_FALSE(GzipReader().readFile(path, &out, &error));
    EXPECT_EQ(error.rfind(path, 0), 0u) << error;

    const QString truncated = dir.filePath("truncated.tkpx");
    QFile file(truncated);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gzip(sample(5000)).left(100));
    file.close();
    EXPECT_FALSE(GzipReader().readFile(truncated.toStdString(), &out, &error));
    EXPECT_EQ(error, truncated.toStdString() + ": truncated gzip data");
}

// A file is inflated as it is read, 64 KiB at a time; members and faults that straddle the
// pieces come out as they do from memory.
TEST(GzipReaderTest, ReadsAFileInPiecesAsItInflatesMemory)
{
    QTemporaryDir dir;
    const QByteArray first = noise(150000);
    const QByteArray second = noise(70000);
    const QByteArray compressed = gzip(first) + gzip(QByteArray()) + gzip(second);
    ASSERT_GT(compressed.size(), 2 * 65536);
    for (int cut : {compressed.size(), 65536, 65537, compressed.size() - 1}) {
        const QString path = dir.filePath(QStringLiteral("cut%1.tkpx").arg(cut));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(compressed.left(cut));
        file.close();

        QByteArray fromFile = "stale";
        QByteArray fromMemory;
        std::string fileError;
        std::string memoryError;
        const bool read = GzipReader().readFile(path.toStdString(), &fromFile, &fileError);
        EXPECT_EQ(read, GzipReader().inflate(compressed.left(cut), &fromMemory, &memoryError)) << cut;
        EXPECT_EQ(fromFile, fromMemory) << cut;
        if (cut == compressed.size()) {
            EXPECT_TRUE(read) << fileError;
            EXPECT_EQ(fromFile, first + second);
        } else {
            EXPECT_FALSE(read) << cut;
            EXPECT_EQ(fileError, path.toStdString() + ": " + memoryError);
        }
    }
}

TEST(GzipReaderTest, RefusesFilesTooLargeForTheLimitUnread)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("large.tkpx");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(3000, 'x'));
    file.close();
    QByteArray out;
    std::string error;
    EXPECT_FALSE(GzipReader(1000).readFile(path.toStdString(), &out, &error));
    EXPECT_NE(error.find("larger than the limit of 1000 bytes"), std::string::npos) << error;
}

} // namespace
