#include <util/XmlString.h>

static_assert(sizeof(XMLCh) == sizeof(char16_t), "XMLCh must be UTF-16");

namespace util {

XmlString::XmlString(const XMLCh* text)
{
    if (text)
        _text = reinterpret_cast<const char16_t*>(text);
}

XmlString::XmlString(const char* utf8) : XmlString(QString::fromUtf8(utf8))
{
}

XmlString::XmlString(const std::string& utf8) : XmlString(QString::fromStdString(utf8))
{
}

XmlString::XmlString(const QString& text) : _text(text.toStdU16String())
{
}

std::string XmlString::toStdString() const
{
    return toQString().toStdString();
}

QString XmlString::toQString() const
{
    return QString::fromStdU16String(_text);
}

std::ostream& operator<<(std::ostream& stream, const XmlString& text)
{
    return stream << text.toStdString();
}

} // namespace util
