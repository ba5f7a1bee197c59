#include <util/LineNumberedDocument.h>
#include <util/LineNumberingImplementation.h>

#include <xercesc/dom/DOMImplementationRegistry.hpp>
#include <xercesc/util/XMLString.hpp>

#include <mutex>

namespace util {

const XMLCh* LineNumberingImplementation::featureName()
{
    static const XMLCh name[] = {u'K', u'i', u'r', u'o', u'L', u'i', u'n', u'e', u's', 0};
    return name;
}

void LineNumberingImplementation::ensureRegistered()
{
    // Xerces forgets its registered sources when it terminates, so look first each time.
    static std::mutex mutex;
    static LineNumberingImplementation instance;
    std::lock_guard<std::mutex> lock(mutex);
    if (!xercesc::DOMImplementationRegistry::getDOMImplementation(featureName()))
        xercesc::DOMImplementationRegistry::addSource(&instance);
}

xercesc::DOMDocument* LineNumberingImplementation::createDocument(xercesc::MemoryManager* const manager)
{
    return new (manager) LineNumberedDocument(this, manager);
}

xercesc::DOMImplementation* LineNumberingImplementation::getDOMImplementation(const XMLCh* features) const
{
    if (!xercesc::XMLString::equals(features, featureName()))
        return nullptr;
    return const_cast<LineNumberingImplementation*>(this);
}

} // namespace util
