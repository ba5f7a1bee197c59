#include <lum/core/Serializer.h>

#include <gtest/gtest.h>

using lum::core::variant::Serializer;
using lum::core::variant::Variant;

namespace {

bool accepts(const std::string& text, const std::string& type)
{
    bool ok = false;
    const Variant value = Serializer::singleton().load(text, type, &ok);
    EXPECT_EQ(ok, !value.isEmpty()) << text;
    return ok;
}

Variant load(const std::string& text, const std::string& type)
{
    bool ok = false;
    const Variant value = Serializer::singleton().load(text, type, &ok);
    EXPECT_TRUE(ok) << type << " \"" << text << "\"";
    return value;
}

TEST(SerializerTest, Bool)
{
    EXPECT_EQ(load("true", "bool"), Variant(true));
    EXPECT_EQ(load("1", "bool"), Variant(true));
    EXPECT_EQ(load("false", "bool"), Variant(false));
    EXPECT_EQ(load("0", "bool"), Variant(false));
    for (const char* text : {"", "TRUE", "yes", "2", " true", "true ", "01"})
        EXPECT_FALSE(accepts(text, "bool")) << text;
}

TEST(SerializerTest, Int)
{
    EXPECT_EQ(load("42", "int"), Variant(42));
    EXPECT_EQ(load("-7", "int"), Variant(-7));
    EXPECT_EQ(load("+7", "int"), Variant(7));
    EXPECT_EQ(load("2147483647", "int"), Variant(2147483647));
    EXPECT_EQ(load("-2147483648", "int"), Variant(-2147483647 - 1));
    for (const char* text :
         {"", "+", "-", "+-1", "2147483648", "-2147483649", "1.5", "12abc", " 1", "1 ", "0x10", "1e3"})
        EXPECT_FALSE(accepts(text, "int")) << text;
}

TEST(SerializerTest, Double)
{
    EXPECT_EQ(load("0.25", "double"), Variant(0.25));
    EXPECT_EQ(load("-1e3", "double"), Variant(-1000.0));
    EXPECT_EQ(load("5", "double").typeName(), "double");
    EXPECT_EQ(load("1.7976931348623157e308", "double"), Variant(1.7976931348623157e308));
    for (const char* text :
         {"", "nan", "NaN", "inf", "-inf", "infinity", "1e999", "-1e999", "1.5x", "1,5", " 2", "0x1p3"})
        EXPECT_FALSE(accepts(text, "double")) << text;
}

TEST(SerializerTest, StringAndUnknownTypes)
{
    EXPECT_EQ(load("", "string"), Variant(std::string()));
    EXPECT_EQ(load(" any text; 1 ", "string"), Variant(" any text; 1 "));
    EXPECT_FALSE(accepts("1", "float"));
    EXPECT_FALSE(accepts("1", ""));
}

TEST(SerializerTest, SavedTextLoadsBackAsTheSameValue)
{
    const auto& serializer = Serializer::singleton();
    for (const Variant& value : {Variant(true), Variant(-12), Variant(0.1), Variant(1e300), Variant("x y")})
        EXPECT_EQ(load(serializer.save(value), value.typeName()), value) << serializer.save(value);
}

} // namespace
