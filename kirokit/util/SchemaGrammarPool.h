#pragma once

#include <xercesc/framework/XMLGrammarPoolImpl.hpp>
#include <xercesc/parsers/SAXParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/util/SecurityManager.hpp>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace util {

class SchemaResolver;

// The schema grammars one XmlSerializer has built, kept for its later loads. Xerces keys pooled
// grammars by target namespace, and our schemas have none; so this pool keys them by the schema
// file they were read from, and hands one out only to a document whose schema location resolves
// to that very file. A lookup by namespace alone (a document that names no schema) gets nothing.
// A schema is built here the first time a document names it; one that does not build cleanly on
// its own is left to the document's parse, which reports it as ever. Not for sharing between
// threads; destroy it before Xerces is terminated.
class SchemaGrammarPool : public xercesc::XMLGrammarPoolImpl
{
public:
    SchemaGrammarPool();
    ~SchemaGrammarPool() override;

    // Sets up a parser made with this pool for its next parse: references resolve only through
    // the resolver, whose search paths also find the schemas of this pool, entity expansion is
    // bounded (util::entityExpansionLimit, counted afresh), and validation (when asked for)
    // takes the grammars from here.
    void prepare(xercesc::SAXParser& parser, SchemaResolver& resolver, xercesc::ErrorHandler& errors,
                 bool validate);

    xercesc::Grammar* retrieveGrammar(xercesc::XMLGrammarDescription* description) override;
    bool cacheGrammar(xercesc::Grammar* grammar) override;

private:
    xercesc::Grammar* grammarAt(const std::string& location);
    std::unique_ptr<xercesc::Grammar> build(const std::string& file);

    xercesc::SecurityManager _securityManager;
    std::vector<std::string> _searchPaths;
    // By schema file; empty where the schema did not build on its own.
    std::map<std::string, std::unique_ptr<xercesc::Grammar>> _grammars;
    // While a schema is being built: the grammars its parse hands over.
    bool _building = false;
    std::vector<std::unique_ptr<xercesc::Grammar>> _built;
};

} // namespace util
