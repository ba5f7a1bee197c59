#include <kirogen/Singletons.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

class Silent : public kirogen::observer::Observer
{
public:
    void on_notify(const kirogen::observer::DataRole&, kirogen::observer::Observable*,
                   const lum::core::variant::Variant&) override
    {
    }
};

// The XML parser works only between init and done.
std::string rootName(const std::string& xml)
{
    xercesc::XercesDOMParser parser;
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(xml.data()), xml.size(), "memory");
    parser.parse(source);
    const xercesc::DOMDocument* document = parser.getDocument();
    if (!document || !document->getDocumentElement())
        return std::string();
    char* name = xercesc::XMLString::transcode(document->getDocumentElement()->getTagName());
    const std::string result(name);
    xercesc::XMLString::release(&name);
    return result;
}

} // namespace

TEST(Singletons, initMakesTheKitUsableUntilDone)
{
    Silent observer;
    kirogen::singletons_init(&observer, "UTF-8");
    EXPECT_EQ(kirogen::loadingObserver(), &observer);
    EXPECT_EQ(kirogen::modelEncoding(), "UTF-8");
    EXPECT_EQ(rootName("<?xml version=\"1.0\"?><project name=\"x\"/>"), "project");
    kirogen::singletons_done();
    EXPECT_EQ(kirogen::loadingObserver(), nullptr);

    // A second round works as the first, without an observer.
    kirogen::singletons_init(nullptr, "UTF-8");
    EXPECT_EQ(kirogen::loadingObserver(), nullptr);
    EXPECT_EQ(rootName("<types/>"), "types");
    kirogen::singletons_done();
}

TEST(Singletons, anUnknownEncodingIsRefused)
{
    EXPECT_THROW(kirogen::singletons_init(nullptr, "EBCDIC"), std::invalid_argument);
    EXPECT_EQ(kirogen::modelEncoding(), "UTF-8");
}
