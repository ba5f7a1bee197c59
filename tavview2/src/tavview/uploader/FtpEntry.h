#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

namespace tavview::uploader {

// One entry of a robot folder as the FTP server lists it.
struct FtpEntry
{
    QString name;
    bool isFolder = false;
    qint64 size = -1;   // -1 when the server gave none
    QDateTime modified; // UTC; invalid when the server gave none

    bool operator==(const FtpEntry& other) const
    {
        return name == other.name && isFolder == other.isFolder && size == other.size &&
               modified == other.modified;
    }
};

using FtpEntries = QVector<FtpEntry>;

} // namespace tavview::uploader
