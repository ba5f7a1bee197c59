#pragma once

#include <util/xml/Document.h>

#include <xercesc/sax2/DefaultHandler.hpp>

#include <string>
#include <vector>

namespace util::xml {

class Element;

// Builds a Document from the events of a SAX2 parse: elements with their start-tag lines,
// attributes and character data, all turned into UTF-8 once and kept in the document's arena.
class TreeBuilder : public xercesc::DefaultHandler
{
public:
    // sizeHint: the size of the text to parse, for sizing the arena.
    TreeBuilder(std::string path, std::size_t sizeHint);
    ~TreeBuilder() override;

    // The finished document; throws util::XmlError when the parse gave no root element.
    DocumentPtr takeDocument();

    void setDocumentLocator(const xercesc::Locator* locator) override;
    void startElement(const XMLCh* uri, const XMLCh* localName, const XMLCh* qualifiedName,
                      const xercesc::Attributes& attributes) override;
    void endElement(const XMLCh* uri, const XMLCh* localName, const XMLCh* qualifiedName) override;
    void characters(const XMLCh* text, XMLSize_t length) override;

private:
    // An element being read, with the last child added so far and its text.
    struct OpenElement
    {
        Element* element = nullptr;
        Element* lastChild = nullptr;
        std::string text;
    };

    std::string_view store(const XMLCh* text);
    std::string_view store(const std::string& utf8);

    std::unique_ptr<Document> _document;
    const xercesc::Locator* _locator = nullptr;
    // Kept across elements so that their text buffers are reused.
    std::vector<OpenElement> _open;
    std::size_t _depth = 0;
    std::string _scratch;
};

} // namespace util::xml
