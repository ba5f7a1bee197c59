#include <util/XmlTextWriter.h>

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

#include <sys/mman.h>

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
    adviseLargePages();
}

void XmlTextWriter::adviseLargePages()
{
    // A large text is written into fresh memory page after page; in small pages each first
    // touch is a fault that costs about as much as writing the page.
#ifdef MADV_HUGEPAGE
    static constexpr std::uintptr_t largePage = 2 << 20;
    const auto from = (reinterpret_cast<std::uintptr_t>(_end) + largePage - 1) & ~(largePage - 1);
    const auto to = reinterpret_cast<std::uintptr_t>(_limit) & ~(largePage - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
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
    const std::size_t start = static_cast<std::size_t>(_end - _text.constData());
    writeAttribute(name, value);
    placeAttribute(start, name.size());
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
    append(empty ? "/>" : ">");
    _attributes.clear();
    _startTagOpen = false;
}

void XmlTextWriter::writeAttribute(std::string_view name, std::string_view value)
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
    // Room for exactly the escaped text, so that the loop below writes without looking and
    // a text written into reserved room never outgrows it.
    std::size_t size = name.size() + 4 + value.size();
    for (const char c : value) {
        if (c == '"')
            size += 5;
        else if (c == '&' || static_cast<unsigned char>(c) < 0x20)
            size += 4;
        else if (c == '<')
            size += 3;
    }
    if (size > static_cast<std::size_t>(_limit - _end))
        grow(size);
    char* const start = _end;
    char* out = _end;
    *out++ = ' ';
    std::memcpy(out, name.data(), name.size());
    out += name.size();
    *out++ = '=';
    *out++ = '"';
    std::size_t run = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c >= 0x20 && c != '&' && c != '<' && c != '"')
            continue;
        std::memcpy(out, value.data() + run, i - run);
        out += i - run;
        run = i + 1;
        std::string_view reference;
        switch (c) {
        case '&':
            reference = "&amp;";
            break;
        case '<':
            reference = "&lt;";
            break;
        case '"':
            reference = "&quot;";
            break;
        case '\t':
            reference = "&#x9;";
            break;
        case '\n':
            reference = "&#xA;";
            break;
        case '\r':
            reference = "&#xD;";
            break;
        default:
            _end = start;
            refuse(name, c);
        }
        std::memcpy(out, reference.data(), reference.size());
        out += reference.size();
    }
    std::memcpy(out, value.data() + run, value.size() - run);
    out += value.size() - run;
    *out++ = '"';
    _end = out;
}

void XmlTextWriter::placeAttribute(std::size_t start, std::size_t nameSize)
{
    // The new attribute was written last; it moves before every attribute whose name sorts
    // after its own, and takes the place of one of the same name. Writers mostly set them in
    // order, so this is one comparison.
    char* const text = _text.data();
    const std::size_t size = static_cast<std::size_t>(_end - text) - start;
    const std::string_view name(text + start + 1, nameSize);
    std::size_t at = start;
    std::size_t index = _attributes.size();
    while (index > 0) {
        const Attribute& before = _attributes[index - 1];
        const std::size_t beforeAt = at - before.size;
        const std::string_view beforeName(text + beforeAt + 1, before.nameSize);
        if (beforeName < name)
            break;
        at = beforeAt;
        --index;
        if (beforeName == name) {
            std::rotate(text + at, text + start, _end);
            char* const old = text + at + size;
            std::memmove(old, old + before.size, static_cast<std::size_t>(_end - old) - before.size);
            _end -= before.size;
            _attributes[index] = Attribute{nameSize, size};
            return;
        }
    }
    if (at != start)
        std::rotate(text + at, text + start, _end);
    _attributes.insert(_attributes.begin() + static_cast<std::ptrdiff_t>(index), Attribute{nameSize, size});
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
