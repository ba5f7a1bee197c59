#pragma once

#include <util/xml/Document.h>

#include <xercesc/framework/XMLDocumentHandler.hpp>
#include <xercesc/sax/Locator.hpp>

#include <string>
#include <vector>

namespace util::xml {

class Element;

// Builds a Document from the scanner's events: elements with their start-tag lines, attributes
// and character data, all turned into UTF-8 once and kept in the document's arena. It takes
// the scanner's own events rather than SAX2's, which would first copy every attribute list.
class TreeBuilder : public xercesc::XMLDocumentHandler
{
public:
    // sizeHint: the size of the text to parse, for sizing the arena.
    TreeBuilder(std::string path, std::size_t sizeHint);
    ~TreeBuilder() override;

    // The finished document; throws util::XmlError when the parse gave no root element.
    DocumentPtr takeDocument();

    // Where the scanner is, for the elements' lines.
    void setLocator(const xercesc::Locator* locator);

    void startElement(const xercesc::XMLElementDecl& decl, unsigned int uriId, const XMLCh* prefix,
                      const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes, XMLSize_t attributeCount,
                      bool isEmpty, bool isRoot) override;
    void endElement(const xercesc::XMLElementDecl& decl, unsigned int uriId, bool isRoot,
                    const XMLCh* prefix) override;
    void docCharacters(const XMLCh* text, XMLSize_t length, bool cdataSection) override;

    void docComment(const XMLCh*) override {}
    void docPI(const XMLCh*, const XMLCh*) override {}
    void ignorableWhitespace(const XMLCh*, XMLSize_t, bool) override {}
    void startDocument() override {}
    void endDocument() override {}
    void resetDocument() override {}
    void startEntityReference(const xercesc::XMLEntityDecl&) override {}
    void endEntityReference(const xercesc::XMLEntityDecl&) override {}
    void XMLDecl(const XMLCh*, const XMLCh*, const XMLCh*, const XMLCh*) override {}

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
