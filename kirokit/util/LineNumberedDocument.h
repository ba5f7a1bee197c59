#pragma once

#include <xercesc/dom/impl/DOMDocumentImpl.hpp>

#include <utility>
#include <vector>

namespace util {

// A parsed document that remembers the line of each element's start tag. The table is a
// member, so it goes with the document's release; Xerces user data would do the same but
// makes releasing a large document slow, as Xerces then visits every node's user data.
class LineNumberedDocument : public xercesc::DOMDocumentImpl
{
public:
    LineNumberedDocument(xercesc::DOMImplementation* implementation, xercesc::MemoryManager* manager);

    // Elements are added in document order while parsing; sealLines() prepares the lookups.
    void addLine(const xercesc::DOMNode* node, int line) { _lines.emplace_back(node, line); }
    void sealLines();

    // 0 for nodes without a recorded line.
    int lineOf(const xercesc::DOMNode* node) const;

private:
    std::vector<std::pair<const xercesc::DOMNode*, int>> _lines;
};

} // namespace util
