#pragma once

#include <tavview/uploader/FtpEntry.h>
#include <QByteArray>
#include <QDateTime>
#include <optional>

namespace tavview::uploader {

// Reads the two folder listings that FTP servers give: the machine-readable MLSD and the
// "ls -l" style of LIST. Names are UTF-8; "." and ".." are left out, and so are lines that are
// not entries (LIST's "total" line, links, anything unreadable).
class FtpListingParser
{
public:
    static FtpEntries parseMlsd(const QByteArray& listing);
    // now: the moment of the listing, in UTC; LIST gives dates of the last half year without
    // their year.
    static FtpEntries parseList(const QByteArray& listing, const QDateTime& now);

    static std::optional<FtpEntry> parseMlsdLine(const QString& line);
    static std::optional<FtpEntry> parseListLine(const QString& line, const QDateTime& now);
};

} // namespace tavview::uploader
