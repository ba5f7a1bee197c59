#include <util/XmlDom.h>
#include <util/XmlString.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/util/XMLString.hpp>

#include <QUrl>

#include <cstdint>

namespace util::xml {

using namespace xercesc;

namespace {

const XMLCh lineKey[] = {u'k', u'i', u'r', u'o', u'.', u'l', u'i', u'n', u'e', 0};

const XMLCh* nameOf(const DOMNode* node)
{
    const XMLCh* name = node->getLocalName();
    return name ? name : node->getNodeName();
}

} // namespace

std::string attribute(const DOMElement* element, const char* name)
{
    return XmlString(element->getAttribute(XmlString(name).xmlText())).toStdString();
}

bool hasAttribute(const DOMElement* element, const char* name)
{
    return element->hasAttribute(XmlString(name).xmlText());
}

std::vector<const DOMElement*> childElements(const DOMElement* parent, const char* name)
{
    const XmlString wanted = name ? XmlString(name) : XmlString();
    std::vector<const DOMElement*> children;
    for (const DOMElement* child = parent->getFirstElementChild(); child; child = child->getNextElementSibling()) {
        if (!name || XMLString::equals(nameOf(child), wanted.xmlText()))
            children.push_back(child);
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
    return static_cast<int>(reinterpret_cast<std::intptr_t>(node->getUserData(lineKey)));
}

void setLineOf(DOMNode* node, int line)
{
    node->setUserData(lineKey, reinterpret_cast<void*>(static_cast<std::intptr_t>(line)), nullptr);
}

std::string localName(const DOMElement* element)
{
    return XmlString(nameOf(element)).toStdString();
}

std::string documentPath(const DOMNode* node)
{
    const DOMDocument* doc = node->getNodeType() == DOMNode::DOCUMENT_NODE ? static_cast<const DOMDocument*>(node)
                                                                            : node->getOwnerDocument();
    const QString uri = doc ? XmlString(doc->getDocumentURI()).toQString() : QString();
    const QUrl url(uri);
    return (url.isLocalFile() ? url.toLocalFile() : uri).toStdString();
}

} // namespace util::xml
