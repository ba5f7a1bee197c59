#include <util/XmlDom.h>
#include <util/XmlError.h>
#include <util/XmlSerializer.h>
#include <util/XmlString.h>

#include <xercesc/dom/DOMComment.hpp>
#include <xercesc/dom/DOMEntityReference.hpp>
#include <xercesc/dom/DOMText.hpp>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using util::XmlError;
using util::XmlSerializer;
namespace xml = util::xml;

namespace {

const char* const noteSchema = R"(<?xml version="1.0"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="notes">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="note" maxOccurs="unbounded">
          <xs:complexType><xs:attribute name="value" type="xs:int" use="required"/></xs:complexType>
        </xs:element>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
</xs:schema>
)";

struct DocDeleter
{
    void operator()(xercesc::DOMDocument* doc) const { doc->release(); }
};
using Doc = std::unique_ptr<xercesc::DOMDocument, DocDeleter>;

void writeFile(const QString& path, const std::string& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

std::string withSchema(const std::string& schemaLocation, const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n<notes xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xsi:noNamespaceSchemaLocation=\"" +
           schemaLocation + "\">\n" + body + "</notes>\n";
}

class XmlSerializerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(_schemas.isValid() && _outside.isValid());
        writeFile(_schemas.filePath("notes.xsd"), noteSchema);
        writeFile(_schemas.filePath("notes.dtd"), "<!ELEMENT notes ANY>\n<!ENTITY who \"inside\">\n");
        writeFile(_outside.filePath("evil.xsd"), noteSchema);
        writeFile(_outside.filePath("evil.dtd"), "<!ELEMENT notes ANY>\n<!ENTITY who \"outside\">\n");
        XmlSerializer::addGlobalEntityResolverSearchPath(_schemas.path().toStdString());
    }

    Doc parse(const std::string& text, bool validate = true)
    {
        return Doc(XmlSerializer().loadFromMem(text.data(), text.size(), validate, "mem.xml"));
    }

    // The message of the error that loading gives, failing the test if none is thrown.
    XmlError refusal(const std::string& text, bool validate = true)
    {
        try {
            parse(text, validate);
        } catch (const XmlError& e) {
            return e;
        }
        ADD_FAILURE() << "document was accepted:\n" << text;
        return XmlError("", 0, 0, "");
    }

    QTemporaryDir _schemas;
    QTemporaryDir _outside;
};

TEST_F(XmlSerializerTest, ValidDocumentRecordsElementLines)
{
    const Doc doc = parse(withSchema("notes.xsd", "<note value=\"1\"/>\n\n<note\n value=\"2\"></note>\n"));
    const auto notes = xml::childElements(doc->getDocumentElement(), "note");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(xml::lineOf(doc->getDocumentElement()), 2);
    EXPECT_EQ(xml::lineOf(notes[0]), 3);
    EXPECT_EQ(xml::attribute(notes[1], "value"), "2");
    EXPECT_GE(xml::lineOf(notes[1]), 5);
    EXPECT_EQ(xml::attribute(notes[0], "missing"), "");
}

TEST_F(XmlSerializerTest, MalformedAndInvalidInputNameFileLineAndColumn)
{
    const XmlError malformed =
        refusal("<?xml version=\"1.0\"?>\n<notes>\n  <note value=\"1\">\n</notes>\n", false);
    EXPECT_EQ(malformed.file(), "mem.xml");
    EXPECT_EQ(malformed.line(), 4);
    EXPECT_GT(malformed.column(), 0);
    EXPECT_EQ(std::string(malformed.what()).rfind("mem.xml:4:", 0), 0u) << malformed.what();

    const XmlError invalid = refusal(withSchema("notes.xsd", "<note value=\"1\"/>\n<note value=\"x\"/>\n"));
    EXPECT_EQ(invalid.line(), 4) << invalid.what();

    const XmlError unknownElement = refusal(withSchema("notes.xsd", "<note value=\"1\"/>\n<other/>\n"));
    EXPECT_EQ(unknownElement.line(), 4) << unknownElement.what();

    EXPECT_EQ(refusal("").file(), "mem.xml");

    const QString path = _outside.filePath("broken.xml");
    writeFile(path, "<?xml version=\"1.0\"?>\n<notes>\n</note>\n");
    try {
        XmlSerializer().load(path.toStdString(), false);
        ADD_FAILURE() << "accepted a broken file";
    } catch (const XmlError& e) {
        EXPECT_EQ(e.file(), path.toStdString());
        EXPECT_EQ(e.line(), 3);
    }
}

TEST_F(XmlSerializerTest, ValidationNeedsADeclaredGrammar)
{
    EXPECT_NO_THROW(parse("<notes><anything/></notes>", false));
    refusal("<notes><anything/></notes>", true);
}

TEST_F(XmlSerializerTest, SchemaOutsideTheSearchPathsIsRefused)
{
    const std::string body = "<note value=\"1\"/>\n";
    const std::string outsideAbsolute = _outside.filePath("evil.xsd").toStdString();
    for (const std::string& location :
         {outsideAbsolute, std::string("http://127.0.0.1:1/notes.xsd"),
          std::string("file://") + outsideAbsolute,
          "../" + QDir(_schemas.path()).relativeFilePath(_outside.filePath("evil.xsd")).toStdString(),
          std::string("missing.xsd")}) {
        const XmlError error = refusal(withSchema(location, body));
        EXPECT_NE(std::string(error.what()).find(location), std::string::npos) << error.what();
        EXPECT_EQ(error.file(), "mem.xml");
    }
    EXPECT_NO_THROW(parse(withSchema(_schemas.filePath("notes.xsd").toStdString(), body)));
}

TEST_F(XmlSerializerTest, DoctypeIsResolvedOnlyInsideTheSearchPaths)
{
    const Doc inside = parse("<!DOCTYPE notes SYSTEM \"notes.dtd\">\n<notes>&who;</notes>", false);
    EXPECT_EQ(util::XmlString(inside->getDocumentElement()->getTextContent()).toStdString(), "inside");

    const std::string outside = _outside.filePath("evil.dtd").toStdString();
    for (bool validate : {false, true}) {
        const XmlError error =
            refusal("<!DOCTYPE notes SYSTEM \"" + outside + "\">\n<notes>&who;</notes>", validate);
        EXPECT_EQ(error.line(), 1) << error.what();
        refusal("<!DOCTYPE notes SYSTEM \"http://127.0.0.1:1/x.dtd\"><notes/>", validate);
        refusal("<!DOCTYPE notes [<!ENTITY e SYSTEM \"" + outside + "\">]><notes>&e;</notes>", validate);
    }
}

TEST_F(XmlSerializerTest, EntityExpansionIsBounded)
{
    std::string entities = "<!ENTITY a0 \"xxxxxxxxxx\">";
    for (int i = 1; i < 10; ++i) {
        const std::string previous = "&a" + std::to_string(i - 1) + ";";
        std::string value;
        for (int j = 0; j < 10; ++j)
            value += previous;
        entities += "<!ENTITY a" + std::to_string(i) + " \"" + value + "\">";
    }
    refusal("<!DOCTYPE notes [" + entities + "]><notes>&a9;</notes>", false);
}

TEST_F(XmlSerializerTest, CreateSaveAndReload)
{
    Doc doc(XmlSerializer::createDocument("notes"));
    xercesc::DOMElement* note = xml::appendChild(doc->getDocumentElement(), "note");
    xml::setAttribute(note, "value", "7");
    xml::setAttribute(note, "text", "Grüße & <tags>");

    const QString path = _outside.filePath("saved.xml");
    std::string error;
    ASSERT_TRUE(XmlSerializer::save(doc.get(), path.toStdString(), &error)) << error;
    const Doc reloaded(XmlSerializer().load(path.toStdString(), false));
    const auto notes = xml::childElements(reloaded->getDocumentElement(), "note");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(xml::attribute(notes[0], "text"), "Grüße & <tags>");
    EXPECT_EQ(XmlSerializer::toString(reloaded.get()), XmlSerializer::toString(doc.get()));

    EXPECT_FALSE(
        XmlSerializer::save(doc.get(), _outside.filePath("no/such/dir/x.xml").toStdString(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_THROW(XmlSerializer().load(_outside.filePath("absent.xml").toStdString(), false), XmlError);
}

// Child elements come in document order, filtered by name, skipping text, comments and
// entity references, whichever road the lookup takes.
TEST_F(XmlSerializerTest, ChildElementsSkipOtherNodesInOrder)
{
    Doc doc(XmlSerializer::createDocument("notes"));
    xercesc::DOMElement* root = doc->getDocumentElement();
    xml::setAttribute(xml::appendChild(root, "note"), "n", "1");
    root->appendChild(doc->createTextNode(util::XmlString(" text ").xmlText()));
    xml::appendChild(root, "other");
    root->appendChild(doc->createComment(util::XmlString("comment").xmlText()));
    xml::setAttribute(xml::appendChild(root, "note"), "n", "2");

    auto texts = [](const std::vector<const xercesc::DOMElement*>& elements) {
        std::vector<std::string> result;
        for (const xercesc::DOMElement* element : elements)
            result.push_back(xml::localName(element) + xml::attribute(element, "n"));
        return result;
    };
    EXPECT_EQ(texts(xml::childElements(root, "note")), (std::vector<std::string>{"note1", "note2"}));
    EXPECT_EQ(texts(xml::childElements(root, nullptr)),
              (std::vector<std::string>{"note1", "other", "note2"}));

    root->insertBefore(doc->createEntityReference(util::XmlString("empty").xmlText()), root->getFirstChild());
    xml::setAttribute(xml::appendChild(root, "note"), "n", "3");
    EXPECT_EQ(texts(xml::childElements(root, "note")), (std::vector<std::string>{"note1", "note2", "note3"}));
    EXPECT_EQ(texts(xml::childElements(root, nullptr)),
              (std::vector<std::string>{"note1", "other", "note2", "note3"}));
}

} // namespace
