#include <tavview/uploader/FtpListingParser.h>
#include <QStringList>

namespace tavview::uploader {

namespace {

QStringList lines(const QByteArray& listing)
{
    QStringList result = QString::fromUtf8(listing).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : result) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return result;
}

template <typename Parse>
FtpEntries parseLines(const QByteArray& listing, Parse parse)
{
    FtpEntries entries;
    for (const QString& line : lines(listing)) {
        if (auto entry = parse(line))
            entries.append(*entry);
    }
    return entries;
}

bool isSelfOrParent(const QString& name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

// "20261208235300" or "20261208235300.123", always UTC.
QDateTime mlsdTime(const QString& text)
{
    QDateTime time = QDateTime::fromString(text.left(14), QStringLiteral("yyyyMMddHHmmss"));
    time.setTimeSpec(Qt::UTC);
    return time;
}

int monthNumber(const QString& name)
{
    static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int i = 0; i < 12; ++i) {
        if (name.compare(QLatin1String(months[i]), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

// "Dec 8 23:53" (within the last half year, no year) or "Dec 8 2025".
QDateTime listTime(const QString& month, const QString& day, const QString& yearOrTime, const QDateTime& now)
{
    const int monthValue = monthNumber(month);
    bool dayOk = false;
    const int dayValue = day.toInt(&dayOk);
    if (monthValue == 0 || !dayOk)
        return QDateTime();
    if (yearOrTime.contains(QLatin1Char(':'))) {
        const QTime time = QTime::fromString(yearOrTime, QStringLiteral("H:mm"));
        const QDate today = now.date();
        QDate date(today.year(), monthValue, dayValue);
        // A date ahead of today (beyond a day of clock skew) belongs to last year.
        if (date.isValid() && date > today.addDays(1))
            date = QDate(today.year() - 1, monthValue, dayValue);
        if (!date.isValid() || !time.isValid())
            return QDateTime();
        return QDateTime(date, time, Qt::UTC);
    }
    bool yearOk = false;
    const int year = yearOrTime.toInt(&yearOk);
    const QDate date(year, monthValue, dayValue);
    if (!yearOk || !date.isValid())
        return QDateTime();
    return QDateTime(date, QTime(0, 0), Qt::UTC);
}

} // namespace

FtpEntries FtpListingParser::parseMlsd(const QByteArray& listing)
{
    return parseLines(listing, &FtpListingParser::parseMlsdLine);
}

FtpEntries FtpListingParser::parseList(const QByteArray& listing, const QDateTime& now)
{
    return parseLines(listing, [&now](const QString& line) { return parseListLine(line, now); });
}

// "type=file;size=2;modify=20261208235300; a.tkp2": facts, then one blank, then the name.
std::optional<FtpEntry> FtpListingParser::parseMlsdLine(const QString& line)
{
    const int blank = line.indexOf(QLatin1Char(' '));
    if (blank <= 0)
        return std::nullopt;
    FtpEntry entry;
    entry.name = line.mid(blank + 1);
    if (entry.name.isEmpty() || isSelfOrParent(entry.name))
        return std::nullopt;
    QString type;
    const QStringList facts = line.left(blank).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& fact : facts) {
        const int equals = fact.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = fact.left(equals).toLower();
        const QString value = fact.mid(equals + 1);
        if (key == QLatin1String("type")) {
            type = value.toLower();
        } else if (key == QLatin1String("size")) {
            bool ok = false;
            const qint64 size = value.toLongLong(&ok);
            if (ok)
                entry.size = size;
        } else if (key == QLatin1String("modify")) {
            entry.modified = mlsdTime(value);
        }
    }
    if (type == QLatin1String("dir"))
        entry.isFolder = true;
    else if (type != QLatin1String("file"))
        return std::nullopt; // cdir, pdir, links and the like
    return entry;
}

// "-rw-r--r--    1 0        0               2 Dec 08 23:53 a b.tkp2": the name is all that
// follows the eighth field, blanks included.
std::optional<FtpEntry> FtpListingParser::parseListLine(const QString& line, const QDateTime& now)
{
    const QChar kind = line.isEmpty() ? QChar() : line.at(0);
    if (kind != QLatin1Char('-') && kind != QLatin1Char('d'))
        return std::nullopt;
    QStringList fields;
    int position = 0;
    while (fields.size() < 8) {
        while (position < line.size() && line.at(position).isSpace())
            ++position;
        const int start = position;
        while (position < line.size() && !line.at(position).isSpace())
            ++position;
        if (start == position)
            return std::nullopt;
        fields.append(line.mid(start, position - start));
    }
    // Exactly one blank separates the date from the name; more belong to the name.
    if (position + 1 >= line.size())
        return std::nullopt;
    FtpEntry entry;
    entry.name = line.mid(position + 1);
    if (isSelfOrParent(entry.name))
        return std::nullopt;
    entry.isFolder = kind == QLatin1Char('d');
    bool ok = false;
    entry.size = fields.at(4).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    entry.modified = listTime(fields.at(5), fields.at(6), fields.at(7), now);
    return entry;
}

} // namespace tavview::uploader
