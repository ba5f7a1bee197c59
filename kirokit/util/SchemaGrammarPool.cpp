#include <util/DocumentLimit.h>
#include <util/SchemaGrammarPool.h>
#include <util/SchemaResolver.h>
#include <util/XmlError.h>
#include <util/XmlString.h>

#include <xercesc/framework/LocalFileInputSource.hpp>
#include <xercesc/framework/XMLSchemaDescription.hpp>
#include <xercesc/util/XMLString.hpp>

namespace util {

using namespace xercesc;

namespace {

// Notes whether a schema built with faults; what they were is for the document's parse to say.
class FaultFlag : public ErrorHandler
{
public:
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException&) override { _faulty = true; }
    void fatalError(const SAXParseException&) override { _faulty = true; }
    void resetErrors() override {}

    bool faulty() const { return _faulty; }

private:
    bool _faulty = false;
};

} // namespace

SchemaGrammarPool::SchemaGrammarPool()
{
    _securityManager.setEntityExpansionLimit(entityExpansionLimit);
}

SchemaGrammarPool::~SchemaGrammarPool() = default;

void SchemaGrammarPool::prepare(SAXParser& parser, SchemaResolver& resolver, ErrorHandler& errors,
                                bool validate)
{
    _searchPaths = resolver.searchPaths();
    parser.setErrorHandler(&errors);
    parser.setXMLEntityResolver(&resolver);
    parser.setDisableDefaultEntityResolution(true);
    parser.setSecurityManager(&_securityManager);
    parser.setDoNamespaces(true);
    parser.setValidationScheme(validate ? SAXParser::Val_Always : SAXParser::Val_Never);
    parser.setDoSchema(validate);
    parser.setValidationConstraintFatal(validate);
    parser.useCachedGrammarInParse(validate);
}

Grammar* SchemaGrammarPool::retrieveGrammar(XMLGrammarDescription* description)
{
    // A schema being built takes nothing from here: whatever it imports is built along with it.
    if (_building || description->getGrammarType() != Grammar::SchemaGrammarType)
        return nullptr;
    const auto* schema = static_cast<XMLSchemaDescription*>(description);
    const RefArrayVectorOf<XMLCh>* hints = schema->getLocationHints();
    for (XMLSize_t i = 0; hints && i < hints->size(); ++i) {
        Grammar* grammar = grammarAt(XmlString(hints->elementAt(i)).toStdString());
        // A schema of another namespace than the document expects is the parse's to report.
        if (grammar && XMLString::equals(grammar->getTargetNamespace(), schema->getTargetNamespace()))
            return grammar;
    }
    return nullptr;
}

bool SchemaGrammarPool::cacheGrammar(Grammar* grammar)
{
    // Only a build of our own hands grammars over, after the parser has checked them; a
    // document's parse keeps what it builds to itself.
    if (!_building || grammar->getGrammarType() != Grammar::SchemaGrammarType)
        return false;
    _built.emplace_back(grammar);
    return true;
}

Grammar* SchemaGrammarPool::grammarAt(const std::string& location)
{
    std::string file;
    try {
        file = SchemaResolver(_searchPaths, location).resolve(location);
    } catch (const XmlError&) {
        // Refused: the document's parse refuses it too, and says why.
        return nullptr;
    }
    auto known = _grammars.find(file);
    if (known == _grammars.end())
        known = _grammars.emplace(file, build(file)).first;
    return known->second.get();
}

std::unique_ptr<Grammar> SchemaGrammarPool::build(const std::string& file)
{
    SchemaResolver resolver(_searchPaths, file);
    FaultFlag faults;
    bool stopped = false;
    _building = true;
    try {
        SAXParser parser(nullptr, XMLPlatformUtils::fgMemoryManager, this);
        prepare(parser, resolver, faults, true);
        const XmlString path(file);
        LocalFileInputSource source(path.xmlText());
        parser.loadGrammar(source, Grammar::SchemaGrammarType, true);
    } catch (...) {
        // Whatever stopped the build stops the document's parse of the schema too.
        stopped = true;
    }
    _building = false;
    std::vector<std::unique_ptr<Grammar>> built = std::move(_built);
    _built.clear();
    // One grammar, or it imports others, which a document would then look up by namespace alone.
    if (stopped || faults.faulty() || resolver.refusal() || built.size() != 1)
        return nullptr;
    return std::move(built.front());
}

} // namespace util
