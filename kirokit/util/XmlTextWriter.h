#pragma once

#include <QByteArray>

#include <string>
#include <string_view>
#include <vector>

namespace util {

// Writes a document of elements and attributes straight to UTF-8 text, byte for byte as
// XmlSerializer::toString lays out the same DOM document: the declaration, two spaces per level,
// a blank line around the root's children, attributes sorted by name, values escaped alike.
// Element and attribute names are plain ASCII; values are UTF-8. A value holding a character
// XML 1.0 cannot carry (most control characters) throws std::invalid_argument.
class XmlTextWriter
{
public:
    explicit XmlTextWriter(std::string_view rootName);
    // It points into its own text.
    XmlTextWriter(const XmlTextWriter&) = delete;
    XmlTextWriter& operator=(const XmlTextWriter&) = delete;

    // Room for the whole text in one piece: growing it by doubling copies and faults in pages
    // that add up to several times the text.
    void reserve(std::size_t bytes);

    void startElement(std::string_view name);
    // An attribute of the element started last, before its first child; a name given again
    // replaces the value, as in a DOM element.
    void setAttribute(std::string_view name, std::string_view value);
    void endElement();

    // The whole text, every element closed; the writer is empty afterwards.
    std::string take();
    // The same, as the bytes were written: no copy of the text.
    QByteArray takeBytes();

private:
    // An attribute of the open start tag, written as ` name="value"`; the attributes stand
    // in the text sorted by name, one after the other, up to _end.
    struct Attribute
    {
        std::size_t nameSize;
        std::size_t size;
    };

    void closeStartTag(bool empty);
    void writeAttribute(std::string_view name, std::string_view value);
    void placeAttribute(std::size_t start, std::size_t nameSize);
    void appendIndent(std::size_t level);
    void append(std::string_view text);
    void append(char c);
    void grow(std::size_t more);
    void adviseLargePages();

    // Written up to _end; the array's size is the room, so appending is a copy and a comparison.
    QByteArray _text;
    char* _end = nullptr;
    char* _limit = nullptr;
    std::vector<std::string> _open;
    // The start tag still open: attributes may still be added, in their sorted places.
    bool _startTagOpen = false;
    std::vector<Attribute> _attributes;
};

} // namespace util
