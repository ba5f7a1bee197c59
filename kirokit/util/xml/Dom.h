#pragma once

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include <memory>
#include <string>

// Helpers for building documents to write; reading goes through util::xml::Document.
namespace util::xml {

struct DomReleaser
{
    void operator()(xercesc::DOMDocument* doc) const { doc->release(); }
};
// A document being written, released when the pointer goes.
using DomDocumentPtr = std::unique_ptr<xercesc::DOMDocument, DomReleaser>;

void setAttribute(xercesc::DOMElement* element, const char* name, const std::string& value);
xercesc::DOMElement* appendChild(xercesc::DOMElement* parent, const char* name);

} // namespace util::xml
