#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace util::xml {

class Document;

struct Attribute
{
    std::string_view name;
    std::string_view value;
};

// An element of a parsed document: read-only, its texts UTF-8 and owned by the document.
class Element
{
public:
    // The local name, without a namespace prefix.
    std::string_view name() const { return _name; }
    // The line of the element's start tag.
    int line() const { return _line; }
    const Document& document() const { return *_document; }

    // Attributes are looked up by their name as written (with a prefix, if any).
    std::optional<std::string_view> attribute(std::string_view name) const;
    bool hasAttribute(std::string_view name) const { return attribute(name).has_value(); }
    // The attribute's value as a string; empty when it is absent.
    std::string attributeValue(std::string_view name) const;

    // All attributes, in document order.
    struct Attributes
    {
        const Attribute* first;
        const Attribute* last;
        const Attribute* begin() const { return first; }
        const Attribute* end() const { return last; }
    };
    Attributes attributes() const { return {_attributes, _attributes + _attributeCount}; }

    // The character data directly inside the element.
    std::string_view text() const { return _text; }

    const Element* firstChild() const { return _firstChild; }
    const Element* nextSibling() const { return _nextSibling; }
    // The child elements with the given name in document order; all of them for an empty name.
    std::vector<const Element*> children(std::string_view name = {}) const;

private:
    friend class TreeBuilder;

    Element(const Document* document, std::string_view name, int line)
        : _document(document), _name(name), _line(line)
    {
    }

    const Document* _document;
    std::string_view _name;
    const Attribute* _attributes = nullptr;
    unsigned _attributeCount = 0;
    int _line;
    std::string_view _text;
    const Element* _firstChild = nullptr;
    const Element* _nextSibling = nullptr;
};

} // namespace util::xml
