#include <util/DocumentLimit.h>
#include <util/XmlError.h>
#include <util/XmlSerializer.h>
#include <util/xml/Dom.h>
#include <util/xml/Element.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using util::XmlError;
using util::XmlSerializer;
using util::xml::Element;
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

// Another schema for the same root: values of any text, and every note tagged.
const char* const taggedSchema = R"(<?xml version="1.0"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="notes">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="note" maxOccurs="unbounded">
          <xs:complexType>
            <xs:attribute name="value" type="xs:string" use="required"/>
            <xs:attribute name="tag" type="xs:string" use="required"/>
          </xs:complexType>
        </xs:element>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
</xs:schema>
)";

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
        writeFile(_schemas.filePath("tagged.xsd"), taggedSchema);
        writeFile(_schemas.filePath("notes.dtd"), "<!ELEMENT notes ANY>\n<!ENTITY who \"inside\">\n");
        writeFile(_outside.filePath("evil.xsd"), noteSchema);
        writeFile(_outside.filePath("evil.dtd"), "<!ELEMENT notes ANY>\n<!ENTITY who \"outside\">\n");
        XmlSerializer::addGlobalEntityResolverSearchPath(_schemas.path().toStdString());
    }

    xml::DocumentPtr parse(const std::string& text, bool validate = true)
    {
        XmlSerializer fresh;
        return parse(fresh, text, validate);
    }

    xml::DocumentPtr parse(XmlSerializer& serializer, const std::string& text, bool validate = true)
    {
        return serializer.loadFromMem(text.data(), text.size(), validate, "mem.xml");
    }

    // The error that loading gives, failing the test if none is thrown.
    XmlError refusal(const std::string& text, bool validate = true)
    {
        XmlSerializer fresh;
        return refusal(fresh, text, validate);
    }

    XmlError refusal(XmlSerializer& serializer, const std::string& text, bool validate = true)
    {
        try {
            parse(serializer, text, validate);
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
    const xml::DocumentPtr doc =
        parse(withSchema("notes.xsd", "<note value=\"1\"/>\n\n<note\n value=\"2\"></note>\n"));
    const auto notes = doc->root()->children("note");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(doc->root()->line(), 2);
    EXPECT_EQ(notes[0]->line(), 3);
    EXPECT_EQ(notes[1]->attribute("value"), "2");
    EXPECT_GE(notes[1]->line(), 5);
    EXPECT_FALSE(notes[0]->hasAttribute("missing"));
    EXPECT_EQ(notes[0]->attributeValue("missing"), "");
    // Whitespace between the elements of element-only content is no text of theirs.
    EXPECT_EQ(doc->root()->text(), "");
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

// One instance keeps the grammars it built, yet each document is validated against the schema
// it names itself, and a document naming none finds no grammar, as with a new instance.
TEST_F(XmlSerializerTest, OneInstanceValidatesEachDocumentAgainstTheSchemaItNames)
{
    XmlSerializer serializer;
    EXPECT_NO_THROW(parse(serializer, withSchema("notes.xsd", "<note value=\"1\"/>\n")));
    EXPECT_EQ(
        refusal(serializer, withSchema("notes.xsd", "<note value=\"1\"/>\n<note value=\"x\"/>\n")).line(), 4);

    const std::string tagged = "<note value=\"x\" tag=\"a\"/>\n";
    EXPECT_NO_THROW(parse(serializer, withSchema("tagged.xsd", tagged)));
    EXPECT_EQ(refusal(serializer, withSchema("notes.xsd", tagged)).line(), 3);
    const XmlError untagged = refusal(serializer, withSchema("tagged.xsd", "<note value=\"1\"/>\n"));
    EXPECT_EQ(untagged.line(), 3);
    EXPECT_NE(untagged.message().find("tag"), std::string::npos) << untagged.what();
    // The same file named by its absolute path is the same schema.
    EXPECT_EQ(refusal(serializer, withSchema(_schemas.filePath("notes.xsd").toStdString(), tagged)).line(),
              3);

    const std::string unnamed = "<?xml version=\"1.0\"?>\n<notes>\n<note value=\"1\"/>\n</notes>\n";
    EXPECT_STREQ(refusal(serializer, unnamed).what(), refusal(unnamed).what());
}

// After a grammar was kept, refused references, faulty schemas and schemas that import others
// give exactly what a new instance gives, on every load.
TEST_F(XmlSerializerTest, KeptGrammarsChangeNoOtherOutcome)
{
    writeFile(_schemas.filePath("broken.xsd"),
              "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
              "  <xs:element name=\"notes\" type=\"undefinedType\"/>\n</xs:schema>\n");
    writeFile(_schemas.filePath("other-namespace.xsd"),
              "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"urn:other\">\n"
              "  <xs:element name=\"notes\"/>\n</xs:schema>\n");
    writeFile(_schemas.filePath("item.xsd"),
              "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"urn:item\">\n"
              "  <xs:element name=\"item\"><xs:complexType>\n"
              "    <xs:attribute name=\"n\" type=\"xs:int\" use=\"required\"/>\n"
              "  </xs:complexType></xs:element>\n</xs:schema>\n");
    writeFile(_schemas.filePath("importing.xsd"),
              "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:i=\"urn:item\">\n"
              "  <xs:import namespace=\"urn:item\" schemaLocation=\"item.xsd\"/>\n"
              "  <xs:element name=\"notes\"><xs:complexType><xs:sequence>\n"
              "    <xs:element ref=\"i:item\" maxOccurs=\"unbounded\"/>\n"
              "  </xs:sequence></xs:complexType></xs:element>\n</xs:schema>\n");

    const std::string body = "<note value=\"1\"/>\n";
    const std::vector<std::string> refused = {
        withSchema(_outside.filePath("evil.xsd").toStdString(), body),
        withSchema("missing.xsd", body),
        withSchema("broken.xsd", body),
        withSchema("other-namespace.xsd", body),
        withSchema("importing.xsd", "<item xmlns=\"urn:item\" n=\"x\"/>\n"),
    };
    const std::string imported = withSchema("importing.xsd", "<item xmlns=\"urn:item\" n=\"1\"/>\n");

    XmlSerializer serializer;
    for (int round = 0; round < 2; ++round) {
        EXPECT_NO_THROW(parse(serializer, withSchema("notes.xsd", body)));
        for (const std::string& text : refused)
            EXPECT_STREQ(refusal(serializer, text).what(), refusal(text).what()) << text;
        EXPECT_NO_THROW(parse(serializer, imported));
        EXPECT_NE(refusal(serializer, refused[2]).file().find("broken.xsd"), std::string::npos);
        const XmlError otherNamespace = refusal(serializer, refused[3]);
        EXPECT_NE(otherNamespace.message().find("target namespace"), std::string::npos)
            << otherNamespace.what();
    }
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
    const xml::DocumentPtr inside =
        parse("<!DOCTYPE notes SYSTEM \"notes.dtd\">\n<notes>&who;</notes>", false);
    EXPECT_EQ(inside->root()->text(), "inside");

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

    // Up to the limit a document reads whole, every time the same serializer reads it.
    const auto referencing = [](std::size_t count) {
        std::string body;
        for (std::size_t i = 0; i < count; ++i)
            body += "&e;";
        return "<!DOCTYPE notes [<!ENTITY e \"x\">]><notes>" + body + "</notes>";
    };
    XmlSerializer serializer;
    for (int round = 0; round < 2; ++round) {
        const xml::DocumentPtr atLimit = parse(serializer, referencing(util::entityExpansionLimit), false);
        EXPECT_EQ(atLimit->root()->text(), std::string(util::entityExpansionLimit, 'x'));
    }
    const XmlError beyond = refusal(serializer, referencing(util::entityExpansionLimit + 1), false);
    EXPECT_NE(beyond.message().find(std::to_string(util::entityExpansionLimit)), std::string::npos)
        << beyond.what();
    EXPECT_NO_THROW(parse(serializer, referencing(1), false));
}

// A serializer keeps what it built for its next documents: nothing an earlier document declared,
// named or left unfinished may change how a later one reads.
TEST_F(XmlSerializerTest, KeptSerializerReadsEachDocumentAsAFreshOneWould)
{
    const std::string body = "<note value=\"1\"/>\n";
    struct Read
    {
        std::string text;
        bool validate;
    };
    const std::vector<Read> reads = {
        {"<!DOCTYPE notes [<!ENTITY who \"declared\">]><notes>&who;</notes>", false},
        {"<notes>&who;</notes>", false},
        {"<!DOCTYPE notes SYSTEM \"notes.dtd\">\n<notes>&who;</notes>", false},
        {"<notes>&who;</notes>", false},
        {"<!DOCTYPE other [<!ELEMENT other EMPTY>]><other/>", true},
        {withSchema("notes.xsd", body), true},
        {"<notes><unknown/></notes>", false},
        {"<notes><unknown/></notes>", true},
        {withSchema("notes.xsd", "<note value=\"x\"/>\n"), true},
        {withSchema("notes.xsd", "<note value=\"1\">"), true},
        {withSchema("tagged.xsd", "<note value=\"x\" tag=\"t\"/>\n"), true},
        {"<notes><note value=\"", false},
        {withSchema("notes.xsd", body), true},
        {"<notes a=\"1\" a=\"2\"/>", false},
        {"<!DOCTYPE notes SYSTEM \"http://127.0.0.1:1/x.dtd\"><notes/>", false},
        {"<notes/>", false},
    };
    // What reading gives: the root's name and text, or the error.
    const auto outcome = [this](XmlSerializer& serializer, const Read& read) {
        try {
            const xml::DocumentPtr doc = parse(serializer, read.text, read.validate);
            return "read " + std::string(doc->root()->name()) + " \"" + std::string(doc->root()->text()) +
                   "\"";
        } catch (const XmlError& e) {
            return std::string("refused: ") + e.what();
        }
    };
    XmlSerializer kept;
    int accepted = 0;
    for (int round = 0; round < 2; ++round) {
        for (const Read& read : reads) {
            XmlSerializer fresh;
            const std::string expected = outcome(fresh, read);
            EXPECT_EQ(outcome(kept, read), expected) << read.text;
            accepted += expected.rfind("read ", 0) == 0 ? 1 : 0;
        }
    }
    // Both kinds of outcome were compared.
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 2 * static_cast<int>(reads.size()));
}

TEST_F(XmlSerializerTest, CreateSaveAndReload)
{
    xml::DomDocumentPtr doc(XmlSerializer::createDocument("notes"));
    xercesc::DOMElement* note = xml::appendChild(doc->getDocumentElement(), "note");
    xml::setAttribute(note, "value", "7");
    xml::setAttribute(note, "text", "Grüße & <tags>");

    const QString path = _outside.filePath("saved.xml");
    std::string error;
    ASSERT_TRUE(XmlSerializer::save(doc.get(), path.toStdString(), &error)) << error;
    const xml::DocumentPtr reloaded = XmlSerializer().load(path.toStdString(), false);
    EXPECT_EQ(reloaded->path(), path.toStdString());
    const auto notes = reloaded->root()->children("note");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0]->attribute("text"), "Grüße & <tags>");
    EXPECT_EQ(notes[0]->attribute("value"), "7");

    EXPECT_FALSE(
        XmlSerializer::save(doc.get(), _outside.filePath("no/such/dir/x.xml").toStdString(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_THROW(XmlSerializer().load(_outside.filePath("absent.xml").toStdString(), false), XmlError);
}

// The tree holds elements in document order, without comments, processing instructions or
// namespace declarations; an element's text joins its character data, CDATA and references
// included, as UTF-8.
TEST_F(XmlSerializerTest, TreeKeepsElementsAttributesAndTextInOrder)
{
    const xml::DocumentPtr doc =
        parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<notes xmlns:a=\"urn:a\" a:x=\"1\"><note n=\"1\"/> text <!-- comment -->"
              "<other><note n=\"inner\"/></other><?pi data?>"
              "<note n=\"Grüße 𝄞 &amp; &#x3c;\">body<![CDATA[ <raw> ]]>end</note></notes>",
              false);
    const Element* root = doc->root();
    EXPECT_EQ(root->name(), "notes");
    EXPECT_EQ(root->attribute("a:x"), "1");
    EXPECT_FALSE(root->hasAttribute("x"));
    EXPECT_FALSE(root->hasAttribute("xmlns:a")) << "namespace declarations are no content";
    EXPECT_EQ(root->text(), " text ");

    std::vector<std::string_view> names;
    for (const Element* child : root->children())
        names.push_back(child->name());
    EXPECT_EQ(names, (std::vector<std::string_view>{"note", "other", "note"}));

    const auto notes = root->children("note");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0]->attribute("n"), "1");
    EXPECT_EQ(notes[1]->attribute("n"), "Grüße 𝄞 & <");
    EXPECT_EQ(notes[1]->text(), "body <raw> end");
    EXPECT_EQ(&notes[1]->document(), doc.get());
    EXPECT_EQ(root->children("other").front()->children("note").front()->attribute("n"), "inner");
}

} // namespace
