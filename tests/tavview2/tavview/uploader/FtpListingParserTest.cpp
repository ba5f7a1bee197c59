#include <tavview/uploader/FtpListingParser.h>
#include <gtest/gtest.h>

using tavview::uploader::FtpEntries;
using tavview::uploader::FtpEntry;
using tavview::uploader::FtpListingParser;

namespace {

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

FtpEntry entry(const QString& name, bool isFolder, qint64 size, const QDateTime& modified)
{
    FtpEntry result;
    result.name = name;
    result.isFolder = isFolder;
    result.size = size;
    result.modified = modified;
    return result;
}

} // namespace

namespace tavview::uploader {
void PrintTo(const FtpEntry& e, std::ostream* os)
{
    *os << e.name.toStdString() << (e.isFolder ? " (folder) " : " ") << e.size << " "
        << e.modified.toString(Qt::ISODate).toStdString();
}
} // namespace tavview::uploader

// As pyftpdlib and other servers give it: facts in any case and order, CR LF line ends,
// names with blanks and semicolons, the folder itself and its parent left out.
TEST(FtpListingParser, mlsdGivesFoldersAndFilesWithSizesAndTimes)
{
    const QByteArray listing =
        "type=cdir;modify=20261208120000;perm=flcdmpe; .\r\n"
        "type=pdir;modify=20261208120000;perm=flcdmpe; ..\r\n"
        "type=dir;modify=20261101093015;perm=flcdmpe; robot programs\r\n"
        "Type=File;Size=2048;Modify=20261208235300.125;perm=adfrw; line;follower.tkp2\r\n"
        "modify=20240229000000;size=0;type=file; empty.tkpx\r\n"
        "type=OS.unix=symlink;size=9; link\r\n"
        "garbage-without-name\r\n";
    const FtpEntries entries = FtpListingParser::parseMlsd(listing);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0], entry("robot programs", true, -1, utc(2026, 11, 1, 9, 30, 15)));
    EXPECT_EQ(entries[1], entry("line;follower.tkp2", false, 2048, utc(2026, 12, 8, 23, 53)));
    EXPECT_EQ(entries[2], entry("empty.tkpx", false, 0, utc(2024, 2, 29)));
}

TEST(FtpListingParser, mlsdNamesAreUtf8AndKeepLeadingBlanks)
{
    const FtpEntries entries = FtpListingParser::parseMlsd("type=file;size=5;  \xc3\x9c"
                                                           "ber.tkp2\n");
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral(" Über.tkp2"));
}

// As vsftpd gives it (times in UTC): dates of the last half year carry a time and no year.
TEST(FtpListingParser, listGivesFoldersAndFilesAndDatesTheYear)
{
    const QDateTime now = utc(2026, 3, 10, 12, 0);
    const QByteArray listing = "total 16\r\n"
                               "drwxr-xr-x    2 1001     1001         4096 Mar 09 08:15 programs\r\n"
                               "-rw-r--r--    1 1001     1001        10240 Mar 10 11:59 a  b.tkp2\r\n"
                               "-rw-r--r--    1 0        0               7 Dec 24 18:00 christmas.tkpx\r\n"
                               "-rw-r--r--    1 0        0               7 Jan  5  2019 old.tkp2\r\n"
                               "lrwxrwxrwx    1 0        0               4 Mar 01 10:00 link -> programs\r\n"
                               "drwxr-xr-x    2 0        0            4096 Mar 01 10:00 ..\r\n"
                               "-rw-r--r--    1 0        0               x Mar 01 10:00 badsize.tkp2\r\n";
    const FtpEntries entries = FtpListingParser::parseList(listing, now);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0], entry("programs", true, 4096, utc(2026, 3, 9, 8, 15)));
    EXPECT_EQ(entries[1], entry("a  b.tkp2", false, 10240, utc(2026, 3, 10, 11, 59)));
    // December with a time, listed in March: last year's.
    EXPECT_EQ(entries[2], entry("christmas.tkpx", false, 7, utc(2025, 12, 24, 18, 0)));
    EXPECT_EQ(entries[3], entry("old.tkp2", false, 7, utc(2019, 1, 5)));
}

TEST(FtpListingParser, listKeepsBlanksInNamesAfterTheSingleSeparator)
{
    const FtpEntries entries = FtpListingParser::parseList(
        "-rw-r--r--    1 0        0               3 Jun 30  2025  leading blank.tkp2\n", utc(2026, 1, 1));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral(" leading blank.tkp2"));
    EXPECT_EQ(entries[0].modified, utc(2025, 6, 30));
}
