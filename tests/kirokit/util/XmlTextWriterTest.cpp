#include <util/XmlSerializer.h>
#include <util/XmlTextWriter.h>
#include <util/xml/Dom.h>
#include <util/xml/Element.h>

#include <gtest/gtest.h>

#include <QByteArray>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using util::XmlSerializer;
using util::XmlTextWriter;
namespace xml = util::xml;

namespace {

// Values the escaping and the UTF-8 road must treat as the DOM serializer does, malformed UTF-8
// (a stray byte, an encoded surrogate, an overlong form, a cut sequence) among them.
const std::vector<std::string> values = {
    "",
    "plain",
    "a & b < c > d \"e\" 'f'",
    "tab\there\nline\r\nend",
    "t >= 1 && !bumped",
    "\x7f and \xc2\x85 and \xe2\x80\xa8",
    "Grüße, Straße",
    "\xf0\x9f\xa4\x96 robot",
    "\xef\xbb\xbf"
    "after a byte order mark",
    "stray \xff byte",
    "surrogate \xed\xa0\x80 encoded",
    "overlong \xc0\xaf slash",
    "cut \xe2\x82",
};

const std::vector<std::string> attributeNames = {"value", "name", "x", "fromPort", "from", "id", "type"};
const std::vector<std::string> elementNames = {"block", "parameter", "link", "globalVariables", "tab"};

// One tree, written once through a DOM document and once through the text writer.
void grow(std::mt19937& random, int depth, xercesc::DOMElement* element, XmlTextWriter& writer)
{
    const int attributes = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < attributes; ++i) {
        const std::string& name = attributeNames[random() % attributeNames.size()];
        const std::string& value = values[random() % values.size()];
        xml::setAttribute(element, name.c_str(), value);
        writer.setAttribute(name, value);
    }
    const int children = depth < 4 ? std::uniform_int_distribution<int>(0, 3)(random) : 0;
    for (int i = 0; i < children; ++i) {
        const std::string& name = elementNames[random() % elementNames.size()];
        writer.startElement(name);
        grow(random, depth + 1, xml::appendChild(element, name.c_str()), writer);
        writer.endElement();
    }
}

} // namespace

// Stored files, the interpreter and older workbenches read what the DOM serializer wrote: the
// text writer must give the very same bytes for any shape of tree and any value.
TEST(XmlTextWriterTest, WritesTheBytesOfTheDomSerializer)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        xml::DomDocumentPtr doc(XmlSerializer::createDocument("project"));
        XmlTextWriter writer("project");
        grow(random, 0, doc->getDocumentElement(), writer);
        const std::string text = writer.take();
        ASSERT_EQ(text, XmlSerializer::toString(doc.get())) << "seed " << seed;

        const xml::DocumentPtr read = XmlSerializer().loadFromMem(text.data(), text.size(), false, "written");
        EXPECT_EQ(read->root()->name(), "project");
    }

    XmlTextWriter empty("project");
    xml::DomDocumentPtr doc(XmlSerializer::createDocument("project"));
    EXPECT_EQ(empty.take(), XmlSerializer::toString(doc.get()));
}

// The text grows in one array far beyond its first room, by small pieces and by values larger
// than all written so far; reserving, too little or enough, changes no byte.
TEST(XmlTextWriterTest, GrowsWithoutChangingTheText)
{
    xml::DomDocumentPtr doc(XmlSerializer::createDocument("project"));
    XmlTextWriter grown("project");
    XmlTextWriter reserved("project");
    reserved.reserve(64 << 20);
    XmlTextWriter tooSmall("project");
    tooSmall.reserve(100);
    for (int i = 0; i < 20000; ++i) {
        const std::string value = i % 5000 == 4999
                                      ? std::string(static_cast<std::size_t>(i) * 50, 'a') + "&<\""
                                      : std::to_string(i);
        xercesc::DOMElement* element = xml::appendChild(doc->getDocumentElement(), "variable");
        xml::setAttribute(element, "value", value);
        xml::setAttribute(element, "name", "v" + std::to_string(i));
        for (XmlTextWriter* writer : {&grown, &reserved, &tooSmall}) {
            writer->startElement("variable");
            writer->setAttribute("value", value);
            writer->setAttribute("name", "v" + std::to_string(i));
            writer->endElement();
        }
    }
    const QByteArray expected = QByteArray::fromStdString(XmlSerializer::toString(doc.get()));
    EXPECT_GT(expected.size(), 1 << 20);
    EXPECT_TRUE(grown.takeBytes() == expected);
    EXPECT_TRUE(reserved.takeBytes() == expected);
    EXPECT_TRUE(tooSmall.takeBytes() == expected);
}

// A control character cannot be written in XML 1.0 at all, not even as a reference: the write
// fails with the attribute and the character named instead of leaving a file no reader takes.
TEST(XmlTextWriterTest, RefusesCharactersXmlCannotCarry)
{
    for (const auto& [value, code] :
         std::vector<std::pair<std::string, std::string>>{{"bell\x07", "U+0007"},
                                                          {std::string("nul\0x", 5), "U+0000"},
                                                          {"\x1f", "U+001F"},
                                                          {"\xef\xbf\xbe", "U+FFFE"},
                                                          {"end \xef\xbf\xbf", "U+FFFF"}}) {
        XmlTextWriter writer("project");
        writer.startElement("variable");
        writer.setAttribute("name", "ok");
        try {
            writer.setAttribute("value", value);
            ADD_FAILURE() << code << " was written";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(code), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("\"value\""), std::string::npos) << e.what();
        }
        EXPECT_NE(writer.take().find(R"(<variable name="ok"/>)"), std::string::npos);
    }
}
