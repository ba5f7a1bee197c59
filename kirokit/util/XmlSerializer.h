#pragma once

#include <util/xml/Document.h>

#include <xercesc/dom/DOMDocument.hpp>

#include <QByteArray>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace util {

class SchemaGrammarPool;

namespace xml {
class TreeBuilder;
}

// Reads and writes the kit's XML files with Xerces-C. Schemas, DTDs and external entities
// are read only from the registered search paths; nothing is ever fetched from the network.
// Reading gives a compact read-only tree; writing goes through a Xerces DOM document.
// An instance keeps the schema grammars it has built for its later loads, so a run of files
// naming the same schema is best read with one instance. One thread at a time per instance;
// destroy it before Xerces is terminated.
class XmlSerializer
{
public:
    XmlSerializer();
    ~XmlSerializer();

    // Schemas/DTDs/entities are resolved only inside these directories; nothing else is fetched.
    static void addGlobalEntityResolverSearchPath(const std::string& dir);
    static std::vector<std::string> globalEntityResolverSearchPaths();

    // Throws util::XmlError on malformed or invalid input. validate=true validates against the
    // schema the root names with xsi:noNamespaceSchemaLocation (a bare file name looked up in
    // the search paths).
    xml::DocumentPtr load(const std::string& path, bool validate);
    // The bytes of a file; throws util::XmlError when it cannot be read or holds more than
    // util::documentLimit bytes, having held no more than that.
    static QByteArray readFile(const std::string& path);
    xml::DocumentPtr loadFromMem(const char* data, std::size_t size, bool validate, const std::string& path);
    // Validates without building a tree; throws util::XmlError as a validating load would.
    void validate(const char* data, std::size_t size, const std::string& path);

    // New empty document with the given root element name; the caller releases it.
    static xercesc::DOMDocument* createDocument(const std::string& rootName);

    // UTF-8 text of a document, pretty-printed; and an atomic save.
    static std::string toString(const xercesc::DOMDocument* doc);
    static bool save(const xercesc::DOMDocument* doc, const std::string& path, std::string* error);
    // Saves text already made, as atomically.
    static bool saveText(std::string_view text, const std::string& path, std::string* error);

private:
    void parse(const char* data, std::size_t size, bool validate, const std::string& path,
               xml::TreeBuilder* builder);

    std::unique_ptr<SchemaGrammarPool> _grammars;
};

} // namespace util
