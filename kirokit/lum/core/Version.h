#pragma once

#include <QMetaType>
#include <QString>

#include <string>

namespace lum::core {

// A program version of major, minor and patch number; 0.0.0 stands for "no version".
class Version
{
public:
    Version() = default;
    Version(int major, int minor, int patch);
    explicit Version(const QString& text);

    // Reads "major.minor.patch" ('-' also separates). A text without a leading number, or
    // with a separator after minor that is not followed by a number, gives 0.0.0; whatever
    // follows a complete third number is ignored. A number too large for an int fails like any
    // other bad number.
    void fromString(const char* text);
    void reset();
    bool isEmpty() const;

    int major() const { return _major; }
    int minor() const { return _minor; }
    int patch() const { return _patch; }

    // "3.0.15"; the empty string for an empty version.
    std::string toString() const;
    QString toQString() const;

    bool operator<(const Version& other) const;
    bool operator==(const Version& other) const;
    bool operator!=(const Version& other) const { return !(*this == other); }

private:
    int _major = 0;
    int _minor = 0;
    int _patch = 0;
};

} // namespace lum::core

Q_DECLARE_METATYPE(lum::core::Version)
