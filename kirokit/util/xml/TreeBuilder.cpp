#include <util/XmlError.h>
#include <util/xml/Element.h>
#include <util/xml/TreeBuilder.h>

#include <xercesc/framework/XMLAttr.hpp>
#include <xercesc/framework/XMLElementDecl.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <cstring>
#include <new>
#include <type_traits>

namespace util::xml {

// The arena frees its memory without running destructors.
static_assert(std::is_trivially_destructible_v<Element> && std::is_trivially_destructible_v<Attribute>);

namespace {

// Appends UTF-16 text as UTF-8. The parser only hands out well-formed text; a stray surrogate
// still becomes U+FFFD rather than invalid UTF-8.
void appendUtf8(std::string& out, const XMLCh* text, std::size_t length)
{
    out.reserve(out.size() + length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

TreeBuilder::TreeBuilder(std::string path, std::size_t sizeHint)
    : _document(new Document(std::move(path), sizeHint))
{
}

TreeBuilder::~TreeBuilder() = default;

DocumentPtr TreeBuilder::takeDocument()
{
    if (!_document->_root)
        throw XmlError(_document->_path, 0, 0, "no document element");
    return DocumentPtr(std::move(_document));
}

void TreeBuilder::setLocator(const xercesc::Locator* locator)
{
    _locator = locator;
}

void TreeBuilder::startElement(const xercesc::XMLElementDecl& decl, unsigned int, const XMLCh*,
                               const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                               XMLSize_t attributeCount, bool isEmpty, bool)
{
    const int line = _locator ? static_cast<int>(_locator->getLineNumber()) : 0;
    auto* element = new (_document->_arena.allocate(sizeof(Element), alignof(Element)))
        Element(_document.get(), store(decl.getBaseName()), line);

    if (attributeCount > 0) {
        auto* stored = static_cast<Attribute*>(
            _document->_arena.allocate(attributeCount * sizeof(Attribute), alignof(Attribute)));
        unsigned count = 0;
        for (XMLSize_t i = 0; i < attributeCount; ++i) {
            const xercesc::XMLAttr* attribute = attributes.elementAt(i);
            // Namespace declarations are the parser's business, not the document's content.
            const XMLCh* prefix = attribute->getPrefix();
            const bool declaration =
                prefix && *prefix
                    ? xercesc::XMLString::equals(prefix, xercesc::XMLUni::fgXMLNSString)
                    : xercesc::XMLString::equals(attribute->getName(), xercesc::XMLUni::fgXMLNSString);
            if (!declaration)
                new (stored + count++) Attribute{store(attribute->getQName()), store(attribute->getValue())};
        }
        element->_attributes = stored;
        element->_attributeCount = count;
    }

    if (_depth == 0) {
        _document->_root = element;
    } else {
        OpenElement& parent = _open[_depth - 1];
        if (parent.lastChild)
            parent.lastChild->_nextSibling = element;
        else
            parent.element->_firstChild = element;
        parent.lastChild = element;
    }
    // An element reported as empty gets no end event of its own.
    if (isEmpty)
        return;
    if (_depth == _open.size())
        _open.emplace_back();
    OpenElement& open = _open[_depth++];
    open.element = element;
    open.lastChild = nullptr;
    open.text.clear();
}

void TreeBuilder::endElement(const xercesc::XMLElementDecl&, unsigned int, bool, const XMLCh*)
{
    OpenElement& open = _open[--_depth];
    if (!open.text.empty())
        open.element->_text = store(open.text);
}

void TreeBuilder::docCharacters(const XMLCh* text, XMLSize_t length, bool)
{
    if (_depth > 0)
        appendUtf8(_open[_depth - 1].text, text, length);
}

std::string_view TreeBuilder::store(const XMLCh* text)
{
    // Names and values are nearly always ASCII: narrowed straight into the arena in one pass.
    const std::size_t length = std::char_traits<XMLCh>::length(text);
    if (length == 0)
        return std::string_view();
    auto* copy = static_cast<char*>(_document->_arena.allocate(length, 1));
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] >= 0x80) {
            _scratch.clear();
            appendUtf8(_scratch, text, length);
            return store(_scratch);
        }
        copy[i] = static_cast<char>(text[i]);
    }
    return std::string_view(copy, length);
}

std::string_view TreeBuilder::store(const std::string& utf8)
{
    if (utf8.empty())
        return std::string_view();
    auto* copy = static_cast<char*>(_document->_arena.allocate(utf8.size(), 1));
    std::memcpy(copy, utf8.data(), utf8.size());
    return std::string_view(copy, utf8.size());
}

} // namespace util::xml
