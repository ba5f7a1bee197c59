#include <util/LineNumberedDocument.h>
#include <util/XmlDom.h>
#include <util/XmlString.h>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/util/XMLString.hpp>

#include <QUrl>

#include <algorithm>

namespace util::xml {

using namespace xercesc;

namespace {

// Attribute and element names of the kit are short ASCII words; they need no general
// transcoding. Anything else takes the general road.
class AsciiName
{
public:
    explicit AsciiName(const char* name)
    {
        std::size_t i = 0;
        for (; name[i]; ++i) {
            const auto c = static_cast<unsigned char>(name[i]);
            if (c >= 0x80 || i + 1 == sizeof _text / sizeof _text[0]) {
                _general = XmlString(name);
                return;
            }
            _text[i] = c;
        }
        _text[i] = 0;
    }
    const XMLCh* text() const { return _general.isEmpty() ? _text : _general.xmlText(); }

private:
    XMLCh _text[64];
    XmlString _general;
};

std::string toUtf8(const XMLCh* text)
{
    if (!text || !*text)
        return std::string();
    std::string ascii;
    for (const XMLCh* c = text; *c; ++c) {
        if (*c >= 0x80)
            return XmlString(text).toStdString();
        ascii.push_back(static_cast<char>(*c));
    }
    return ascii;
}

// An attribute's value is usually its one text child; reading that directly skips the casts
// DOMAttr::getValue() makes, which dominated reading large projects.
const XMLCh* valueOf(const DOMAttr* attribute)
{
    const DOMNode* child = attribute->getFirstChild();
    if (child && !child->getNextSibling() && child->getNodeType() == DOMNode::TEXT_NODE)
        return child->getNodeValue();
    return attribute->getValue();
}

const XMLCh* nameOf(const DOMNode* node)
{
    const XMLCh* name = node->getLocalName();
    return name ? name : node->getNodeName();
}

} // namespace

std::string attribute(const DOMElement* element, const char* name)
{
    const DOMAttr* node = element->getAttributeNode(AsciiName(name).text());
    return node ? toUtf8(valueOf(node)) : std::string();
}

bool hasAttribute(const DOMElement* element, const char* name)
{
    return element->hasAttribute(AsciiName(name).text());
}

std::optional<std::string> findAttribute(const DOMElement* element, const char* name)
{
    const DOMAttr* node = element->getAttributeNode(AsciiName(name).text());
    if (!node)
        return std::nullopt;
    return toUtf8(valueOf(node));
}

std::vector<const DOMElement*> childElements(const DOMElement* parent, const char* name)
{
    const AsciiName wanted(name ? name : "");
    std::vector<const DOMElement*> children;
    // Plain sibling links are cheap; the element-sibling calls look through entity
    // references and pay for it on every step. Parsed documents have none, so the costly
    // road is only taken where one shows up.
    for (const DOMNode* child = parent->getFirstChild(); child; child = child->getNextSibling()) {
        const DOMNode::NodeType type = child->getNodeType();
        if (type == DOMNode::ENTITY_REFERENCE_NODE) {
            children.clear();
            for (const DOMElement* element = parent->getFirstElementChild(); element;
                 element = element->getNextElementSibling()) {
                if (!name || XMLString::equals(nameOf(element), wanted.text()))
                    children.push_back(element);
            }
            return children;
        }
        if (type == DOMNode::ELEMENT_NODE && (!name || XMLString::equals(nameOf(child), wanted.text())))
            children.push_back(static_cast<const DOMElement*>(child));
    }
    return children;
}

void setAttribute(DOMElement* element, const char* name, const std::string& value)
{
    element->setAttribute(XmlString(name).xmlText(), XmlString(value).xmlText());
}

DOMElement* appendChild(DOMElement* parent, const char* name)
{
    DOMElement* child = parent->getOwnerDocument()->createElement(XmlString(name).xmlText());
    parent->appendChild(child);
    return child;
}

int lineOf(const DOMNode* node)
{
    const auto* doc = dynamic_cast<const LineNumberedDocument*>(node->getOwnerDocument());
    return doc ? doc->lineOf(node) : 0;
}

std::string localName(const DOMElement* element)
{
    return toUtf8(nameOf(element));
}

std::string documentPath(const DOMNode* node)
{
    const DOMDocument* doc = node->getNodeType() == DOMNode::DOCUMENT_NODE
                                 ? static_cast<const DOMDocument*>(node)
                                 : node->getOwnerDocument();
    const QString uri = doc ? XmlString(doc->getDocumentURI()).toQString() : QString();
    const QUrl url(uri);
    return (url.isLocalFile() ? url.toLocalFile() : uri).toStdString();
}

} // namespace util::xml
