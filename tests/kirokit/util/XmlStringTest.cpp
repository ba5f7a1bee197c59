#include <util/XmlString.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using util::XmlString;

TEST(XmlString, nonAsciiTextSurvivesEveryConversion)
{
    // Latin-1 letters, CJK and a character outside the basic plane (a surrogate pair).
    const std::string utf8 = "Grüße 温度 \xF0\x9F\x98\x80";
    const char16_t utf16[] = u"Grüße 温度 \U0001F600";

    const XmlString fromUtf8(utf8);
    const XmlString fromParser(reinterpret_cast<const XMLCh*>(utf16));
    const XmlString fromQt(QString::fromUtf8(utf8.c_str()));

    EXPECT_EQ(fromUtf8, fromParser);
    EXPECT_EQ(fromQt, fromParser);
    EXPECT_EQ(fromParser.toStdString(), utf8);
    EXPECT_EQ(fromParser.toQString(), QString::fromUtf8(utf8.c_str()));
    EXPECT_EQ(fromParser.toQString().size(), 11);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(fromUtf8.xmlText())), std::u16string(utf16));
    EXPECT_TRUE(fromParser == utf8.c_str());
    EXPECT_TRUE(fromParser != "Grusse");

    std::ostringstream stream;
    stream << fromParser;
    EXPECT_EQ(stream.str(), utf8);
}

TEST(XmlString, emptyAndNullText)
{
    EXPECT_TRUE(XmlString().isEmpty());
    EXPECT_TRUE(XmlString(static_cast<const XMLCh*>(nullptr)).isEmpty());
    EXPECT_EQ(XmlString().toStdString(), "");
    EXPECT_EQ(*XmlString().xmlText(), 0);
    EXPECT_TRUE(XmlString("") == "");
    EXPECT_FALSE(XmlString("a") == "");
    EXPECT_TRUE(XmlString("a") < XmlString("b"));
}
