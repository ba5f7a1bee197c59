#include <util/XmlTextWriter.h>

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace util {

namespace {

[[noreturn]] void refuse(std::string_view attribute, unsigned int character)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", character);
    throw std::invalid_argument("the value of \"" + std::string(attribute) + "\" holds " + code +
                                ", a character XML cannot carry");
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

inline void XmlTextWriter::append(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(_limit - _end))
        grow(text.size());
    std::memcpy(_end, text.data(), text.size());
    _end += text.size();
}

inline void XmlTextWriter::append(char c)
{
    if (_end == _limit)
        grow(1);
    *_end++ = c;
}

XmlTextWriter::XmlTextWriter(std::string_view rootName)
{
    append(R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?>)");
    startElement(rootName);
}

void XmlTextWriter::reserve(std::size_t bytes)
{
    if (bytes > static_cast<std::size_t>(_text.size()))
        grow(bytes - static_cast<std::size_t>(_end - _text.constData()));
}

void XmlTextWriter::grow(std::size_t more)
{
    static constexpr std::size_t largest = std::numeric_limits<int>::max() - 1;
    const std::size_t used = _text.isEmpty() ? 0 : static_cast<std::size_t>(_end - _text.constData());
    if (more > largest - used)
        throw std::length_error("the text outgrows a byte array");
    // Doubling, so that a text longer than foreseen is copied only a few times.
    const std::size_t room =
        std::min(std::max(used + more, 2 * static_cast<std::size_t>(_text.size()) + 4096), largest);
    _text.resize(static_cast<int>(room));
    _end = _text.data() + used;
    _limit = _text.data() + _text.size();
}

void XmlTextWriter::startElement(std::string_view name)
{
    if (_startTagOpen)
        closeStartTag(false);
    const std::size_t level = _open.size();
    // The DOM serializer sets the root's children apart by a blank line.
    append(level == 1 ? "\n\n" : "\n");
    appendIndent(level);
    append('<');
    append(name);
    _open.emplace_back(name);
    _startTagOpen = true;
}

void XmlTextWriter::setAttribute(std::string_view name, std::string_view value)
{
    if (!_startTagOpen)
        throw std::logic_error("an attribute after the element's content");
    const std::size_t nameAt = _pending.size();
    _pending += name;
    const std::size_t valueAt = _pending.size();
    try {
        appendEscaped(name, value);
    } catch (...) {
        _pending.resize(nameAt);
        throw;
    }
    const Attribute attribute{nameAt, name.size(), valueAt, _pending.size() - valueAt};
    for (Attribute& existing : _attributes) {
        if (std::string_view(_pending).substr(existing.name, existing.nameSize) == name) {
            existing = attribute;
            return;
        }
    }
    _attributes.push_back(attribute);
}

void XmlTextWriter::endElement()
{
    if (_open.empty())
        throw std::logic_error("no element left to end");
    if (_startTagOpen) {
        closeStartTag(true);
    } else {
        const std::size_t level = _open.size() - 1;
        append(level == 0 ? "\n\n" : "\n");
        appendIndent(level);
        append("</");
        append(_open.back());
        append('>');
    }
    _open.pop_back();
}

std::string XmlTextWriter::take()
{
    return takeBytes().toStdString();
}

QByteArray XmlTextWriter::takeBytes()
{
    while (!_open.empty())
        endElement();
    append('\n');
    _text.resize(static_cast<int>(_end - _text.constData()));
    _end = _limit = nullptr;
    QByteArray text;
    text.swap(_text);
    return text;
}

void XmlTextWriter::closeStartTag(bool empty)
{
    const std::string_view pending(_pending);
    std::sort(_attributes.begin(), _attributes.end(), [pending](const Attribute& a, const Attribute& b) {
        return pending.substr(a.name, a.nameSize) < pending.substr(b.name, b.nameSize);
    });
    for (const Attribute& attribute : _attributes) {
        append(' ');
        append(pending.substr(attribute.name, attribute.nameSize));
        append("=\"");
        append(pending.substr(attribute.value, attribute.valueSize));
        append('"');
    }
    append(empty ? "/>" : ">");
    _attributes.clear();
    _pending.clear();
    _startTagOpen = false;
}

void XmlTextWriter::appendEscaped(std::string_view name, std::string_view value)
{
    // Beyond ASCII the text takes the road the DOM's did: malformed UTF-8 becomes U+FFFD.
    QByteArray recoded;
    if (!isAscii(value)) {
        const QString text = QString::fromUtf8(value.data(), static_cast<int>(value.size()));
        for (const QChar c : text) {
            if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
                refuse(name, c.unicode());
        }
        recoded = text.toUtf8();
        value = std::string_view(recoded.constData(), static_cast<std::size_t>(recoded.size()));
    }
    std::size_t run = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c >= 0x20 && c != '&' && c != '<' && c != '"')
            continue;
        _pending.append(value.data() + run, i - run);
        run = i + 1;
        switch (c) {
        case '&':
            _pending += "&amp;";
            break;
        case '<':
            _pending += "&lt;";
            break;
        case '"':
            _pending += "&quot;";
            break;
        case '\t':
            _pending += "&#x9;";
            break;
        case '\n':
            _pending += "&#xA;";
            break;
        case '\r':
            _pending += "&#xD;";
            break;
        default:
            refuse(name, c);
        }
    }
    _pending.append(value.data() + run, value.size() - run);
}

void XmlTextWriter::appendIndent(std::size_t level)
{
    const std::size_t width = 2 * level;
    if (width > static_cast<std::size_t>(_limit - _end))
        grow(width);
    std::memset(_end, ' ', width);
    _end += width;
}

} // namespace util
