#pragma once

#include <xercesc/util/XercesDefs.hpp>

#include <QString>

#include <ostream>
#include <string>

namespace util {

// Text of the model as the XML parser holds it (UTF-16), convertible to UTF-8 standard
// strings and to QString.
class XmlString
{
public:
    XmlString() = default;
    XmlString(const XMLCh* text);
    XmlString(const char* utf8);
    XmlString(const std::string& utf8);
    XmlString(const QString& text);

    bool isEmpty() const { return _text.empty(); }

    // Null-terminated, for handing back to the XML parser.
    const XMLCh* xmlText() const { return _text.c_str(); }

    std::string toStdString() const;
    QString toQString() const;

    bool operator==(const XmlString& other) const { return _text == other._text; }
    bool operator!=(const XmlString& other) const { return _text != other._text; }
    bool operator<(const XmlString& other) const { return _text < other._text; }
    bool operator==(const char* utf8) const { return *this == XmlString(utf8); }
    bool operator!=(const char* utf8) const { return !(*this == utf8); }

private:
    std::u16string _text;
};

std::ostream& operator<<(std::ostream& stream, const XmlString& text);

} // namespace util
