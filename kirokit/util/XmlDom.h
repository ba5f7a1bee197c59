#pragma once

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include <memory>
#include <optional>

#include <string>
#include <vector>

namespace util::xml {

struct DocumentReleaser
{
    void operator()(xercesc::DOMDocument* doc) const { doc->release(); }
};
// A document owned by the caller, released when the pointer goes.
using DocumentPtr = std::unique_ptr<xercesc::DOMDocument, DocumentReleaser>;

// The value of an attribute as UTF-8; empty when the attribute is absent.
std::string attribute(const xercesc::DOMElement* element, const char* name);
bool hasAttribute(const xercesc::DOMElement* element, const char* name);
// The value of an attribute, or nothing when it is absent (one lookup for both questions).
std::optional<std::string> findAttribute(const xercesc::DOMElement* element, const char* name);

// The element children with the given local name, in document order; all of them for null.
std::vector<const xercesc::DOMElement*> childElements(const xercesc::DOMElement* parent, const char* name);

void setAttribute(xercesc::DOMElement* element, const char* name, const std::string& value);
xercesc::DOMElement* appendChild(xercesc::DOMElement* parent, const char* name);

// The line of the element's start tag as recorded when the document was parsed; 0 if unknown.
int lineOf(const xercesc::DOMNode* node);

std::string localName(const xercesc::DOMElement* element);

// The path of the file the node's document was read from (the parser keeps it as a file URL);
// empty for documents built in memory without a name.
std::string documentPath(const xercesc::DOMNode* node);

} // namespace util::xml
