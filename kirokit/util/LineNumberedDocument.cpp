#include <util/LineNumberedDocument.h>

#include <algorithm>

namespace util {

LineNumberedDocument::LineNumberedDocument(xercesc::DOMImplementation* implementation,
                                           xercesc::MemoryManager* manager)
    : xercesc::DOMDocumentImpl(implementation, manager)
{
}

void LineNumberedDocument::sealLines()
{
    std::sort(_lines.begin(), _lines.end());
    _lines.shrink_to_fit();
}

int LineNumberedDocument::lineOf(const xercesc::DOMNode* node) const
{
    const auto it = std::lower_bound(_lines.begin(), _lines.end(), std::make_pair(node, 0));
    return it != _lines.end() && it->first == node ? it->second : 0;
}

} // namespace util
