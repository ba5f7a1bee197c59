#include <util/XmlString.h>
#include <util/xml/Dom.h>

namespace util::xml {

void setAttribute(xercesc::DOMElement* element, const char* name, const std::string& value)
{
    element->setAttribute(XmlString(name).xmlText(), XmlString(value).xmlText());
}

xercesc::DOMElement* appendChild(xercesc::DOMElement* parent, const char* name)
{
    xercesc::DOMElement* child = parent->getOwnerDocument()->createElement(XmlString(name).xmlText());
    parent->appendChild(child);
    return child;
}

} // namespace util::xml
