#pragma once

#include <xercesc/dom/impl/DOMImplementationImpl.hpp>

namespace util {

// The DOM implementation whose documents are util::LineNumberedDocuments. The parser asks
// the Xerces registry for it by the feature name it answers to.
class LineNumberingImplementation : public xercesc::DOMImplementationImpl
{
public:
    static const XMLCh* featureName();

    // Registers the implementation with Xerces once per Xerces initialisation.
    static void ensureRegistered();

    xercesc::DOMDocument* createDocument(xercesc::MemoryManager* const manager) override;
    xercesc::DOMImplementation* getDOMImplementation(const XMLCh* features) const override;

private:
    LineNumberingImplementation() = default;
};

} // namespace util
