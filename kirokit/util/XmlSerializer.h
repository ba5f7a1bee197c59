#pragma once

#include <xercesc/dom/DOMDocument.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace util {

// Reads and writes the kit's XML files with Xerces-C. Schemas, DTDs and external entities
// are read only from the registered search paths; nothing is ever fetched from the network.
class XmlSerializer
{
public:
    XmlSerializer();
    ~XmlSerializer();

    // Schemas/DTDs/entities are resolved only inside these directories; nothing else is fetched.
    static void addGlobalEntityResolverSearchPath(const std::string& dir);
    static std::vector<std::string> globalEntityResolverSearchPaths();

    // Caller owns the result and calls doc->release(). Throws util::XmlError on malformed or
    // invalid input. validate=true validates against the schema the root names with
    // xsi:noNamespaceSchemaLocation (a bare file name looked up in the search paths).
    xercesc::DOMDocument* load(const std::string& path, bool validate);
    xercesc::DOMDocument* loadFromMem(const char* data, std::size_t size, bool validate,
                                      const std::string& path);

    // New empty document with the given root element name.
    static xercesc::DOMDocument* createDocument(const std::string& rootName);

    // UTF-8 text of a document, pretty-printed; and an atomic save.
    static std::string toString(const xercesc::DOMDocument* doc);
    static bool save(const xercesc::DOMDocument* doc, const std::string& path, std::string* error);
};

} // namespace util
