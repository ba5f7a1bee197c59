#include <util/DocumentLimit.h>
#include <util/SchemaGrammarPool.h>
#include <util/SchemaResolver.h>
#include <util/XmlError.h>
#include <util/XmlSerializer.h>
#include <util/XmlString.h>
#include <util/xml/TreeBuilder.h>

#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMImplementationRegistry.hpp>
#include <xercesc/dom/DOMLSOutput.hpp>
#include <xercesc/dom/DOMLSSerializer.hpp>
#include <xercesc/framework/MemBufFormatTarget.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/parsers/SAXParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/XMLException.hpp>

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <mutex>

namespace util {

using namespace xercesc;

namespace {

std::mutex g_searchPathMutex;
std::vector<std::string> g_searchPaths;

class ThrowingErrorHandler : public ErrorHandler
{
public:
    ThrowingErrorHandler(std::string path, const SchemaResolver& resolver)
        : _path(std::move(path)), _resolver(resolver)
    {
    }

    void warning(const SAXParseException&) override {}
    void error(const SAXParseException& e) override { fail(e); }
    void fatalError(const SAXParseException& e) override { fail(e); }
    void resetErrors() override {}

private:
    // A refused reference is what went wrong, whatever the parser made of the empty content.
    [[noreturn]] void fail(const SAXParseException& e) const
    {
        if (_resolver.refusal())
            throw *_resolver.refusal();
        std::string file = XmlString(e.getSystemId()).toStdString();
        if (file.empty() || file.find(_path) != std::string::npos)
            file = _path;
        throw XmlError(file, static_cast<int>(e.getLineNumber()), static_cast<int>(e.getColumnNumber()),
                       XmlString(e.getMessage()).toStdString());
    }

    std::string _path;
    const SchemaResolver& _resolver;
};

// A SAX parser that lends its scanner's locator, which the tree builder needs for the lines of
// its elements.
class LocatingParser : public SAXParser
{
public:
    explicit LocatingParser(XMLGrammarPool* grammars)
        : SAXParser(nullptr, XMLPlatformUtils::fgMemoryManager, grammars)
    {
    }

    const Locator* locator() const { return getScanner().getLocator(); }
};

DOMImplementation* implementation()
{
    static const XMLCh ls[] = {u'L', u'S', 0};
    return DOMImplementationRegistry::getDOMImplementation(ls);
}

} // namespace

XmlSerializer::XmlSerializer() = default;

XmlSerializer::~XmlSerializer() = default;

void XmlSerializer::addGlobalEntityResolverSearchPath(const std::string& dir)
{
    std::lock_guard<std::mutex> lock(g_searchPathMutex);
    if (std::find(g_searchPaths.begin(), g_searchPaths.end(), dir) == g_searchPaths.end())
        g_searchPaths.push_back(dir);
}

std::vector<std::string> XmlSerializer::globalEntityResolverSearchPaths()
{
    std::lock_guard<std::mutex> lock(g_searchPathMutex);
    return g_searchPaths;
}

xml::DocumentPtr XmlSerializer::load(const std::string& path, bool validate)
{
    const QByteArray data = readFile(path);
    return loadFromMem(data.constData(), static_cast<std::size_t>(data.size()), validate, path);
}

QByteArray XmlSerializer::readFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw XmlError(path, 0, 0, "cannot open file: " + file.errorString().toStdString());
    const XmlError tooLarge(
        path, 0, 0, "the file is larger than the limit of " + std::to_string(documentLimit) + " bytes");
    // A device or pipe says 0 here (and may never end): it is read in pieces up to the limit.
    const qint64 size = file.size();
    if (static_cast<std::size_t>(size) > documentLimit)
        throw tooLarge;
    QByteArray data;
    data.reserve(static_cast<int>(size));
    static constexpr qint64 chunk = 64 * 1024;
    for (;;) {
        const int used = data.size();
        const qint64 room = std::min<qint64>(chunk, static_cast<qint64>(documentLimit) + 1 - used);
        resizeWithin(&data, used + static_cast<int>(room), documentLimit);
        const qint64 count = file.read(data.data() + used, room);
        data.resize(used + static_cast<int>(std::max<qint64>(count, 0)));
        if (count < 0)
            throw XmlError(path, 0, 0, "cannot read file: " + file.errorString().toStdString());
        if (count == 0)
            return data;
        if (static_cast<std::size_t>(data.size()) > documentLimit)
            throw tooLarge;
    }
}

xml::DocumentPtr XmlSerializer::loadFromMem(const char* data, std::size_t size, bool validate,
                                            const std::string& path)
{
    xml::TreeBuilder builder(path, size);
    parse(data, size, validate, path, &builder);
    return builder.takeDocument();
}

void XmlSerializer::validate(const char* data, std::size_t size, const std::string& path)
{
    parse(data, size, true, path, nullptr);
}

void XmlSerializer::parse(const char* data, std::size_t size, bool validate, const std::string& path,
                          xml::TreeBuilder* builder)
{
    SchemaResolver resolver(globalEntityResolverSearchPaths(), path);
    ThrowingErrorHandler errorHandler(path, resolver);

    // Made here rather than with the instance: Xerces may not be initialised yet at that point.
    if (!_grammars)
        _grammars = std::make_unique<SchemaGrammarPool>();
    LocatingParser parser(_grammars.get());
    _grammars->prepare(parser, resolver, errorHandler, validate);
    if (builder) {
        builder->setLocator(parser.locator());
        parser.installAdvDocHandler(builder);
    }

    const XmlString systemId(path);
    MemBufInputSource source(reinterpret_cast<const XMLByte*>(data), size, systemId.xmlText(), false);
    try {
        parser.parse(source);
    } catch (const XMLException& e) {
        throw XmlError(path, static_cast<int>(e.getSrcLine()), 0, XmlString(e.getMessage()).toStdString());
    } catch (const SAXException& e) {
        throw XmlError(path, 0, 0, XmlString(e.getMessage()).toStdString());
    }
    if (resolver.refusal())
        throw *resolver.refusal();
}

DOMDocument* XmlSerializer::createDocument(const std::string& rootName)
{
    return implementation()->createDocument(nullptr, XmlString(rootName).xmlText(), nullptr);
}

std::string XmlSerializer::toString(const DOMDocument* doc)
{
    DOMImplementation* impl = implementation();
    std::unique_ptr<DOMLSSerializer, void (*)(DOMLSSerializer*)> writer(
        impl->createLSSerializer(), [](DOMLSSerializer* w) { w->release(); });
    std::unique_ptr<DOMLSOutput, void (*)(DOMLSOutput*)> output(impl->createLSOutput(),
                                                                [](DOMLSOutput* o) { o->release(); });
    writer->getDomConfig()->setParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true);
    writer->getDomConfig()->setParameter(XMLUni::fgDOMXMLDeclaration, true);
    MemBufFormatTarget target;
    static const XMLCh utf8[] = {u'U', u'T', u'F', u'-', u'8', 0};
    output->setEncoding(utf8);
    output->setByteStream(&target);
    writer->write(doc, output.get());
    return std::string(reinterpret_cast<const char*>(target.getRawBuffer()), target.getLen());
}

bool XmlSerializer::save(const DOMDocument* doc, const std::string& path, std::string* error)
{
    return saveText(toString(doc), path, error);
}

bool XmlSerializer::saveText(std::string_view text, const std::string& path, std::string* error)
{
    QSaveFile file(QString::fromStdString(path));
    const bool saved =
        file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
        file.commit();
    if (!saved && error)
        *error = path + ": " + file.errorString().toStdString();
    return saved;
}

} // namespace util
