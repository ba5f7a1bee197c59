#include <lum/core/Version.h>

#include <sstream>
#include <tuple>

namespace lum::core {

namespace {

// Registered at start-up so that queued signals can carry a version from the first event on.
const int versionMetaTypeId = qRegisterMetaType<Version>("lum::core::Version");

bool isSeparator(char c)
{
    return c == '.' || c == '-';
}

// A failed number reads as 0 and fails the stream; so does one too large for an int, which the
// stream alone would store as the largest int.
std::istream& readNumber(std::istream& in, int* number)
{
    if (!(in >> *number))
        *number = 0;
    return in;
}

} // namespace

Version::Version(int major, int minor, int patch) : _major(major), _minor(minor), _patch(patch)
{
}

Version::Version(const QString& text)
{
    fromString(text.toLatin1().constData());
}

void Version::fromString(const char* text)
{
    reset();
    // Formatted extraction: blanks are skipped, and a failed number stores 0 and ends the read.
    std::istringstream in(text);
    char separator = 0;
    readNumber(in, &_major) >> separator;
    if (!in.good() || !isSeparator(separator))
        return;
    readNumber(in, &_minor) >> separator;
    if (!in.good() || !isSeparator(separator))
        return;
    readNumber(in, &_patch);
    if (in.fail())
        reset();
}

void Version::reset()
{
    _major = 0;
    _minor = 0;
    _patch = 0;
}

bool Version::isEmpty() const
{
    return _major == 0 && _minor == 0 && _patch == 0;
}

std::string Version::toString() const
{
    if (isEmpty())
        return std::string();
    return std::to_string(_major) + '.' + std::to_string(_minor) + '.' + std::to_string(_patch);
}

QString Version::toQString() const
{
    return QString::fromStdString(toString());
}

bool Version::operator<(const Version& other) const
{
    return std::tie(_major, _minor, _patch) < std::tie(other._major, other._minor, other._patch);
}

bool Version::operator==(const Version& other) const
{
    return std::tie(_major, _minor, _patch) == std::tie(other._major, other._minor, other._patch);
}

} // namespace lum::core
