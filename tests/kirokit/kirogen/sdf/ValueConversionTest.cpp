#include <kirogen/sdf/ValueConversion.h>

#include <gtest/gtest.h>

using kirogen::sdf::ValueConversion;
using lum::core::variant::Variant;

// The variable's current value decides the kind of the result, whatever number it holds.
TEST(ValueConversion, resultTakesTheKindOfTheVariable)
{
    bool ok = false;
    EXPECT_EQ(ValueConversion::convert(Variant(25.5), Variant(0.0), "double", &ok), Variant(25.5));
    EXPECT_TRUE(ok);
    EXPECT_EQ(ValueConversion::convert(Variant(25.5), Variant(3), "int", &ok), Variant(26));
    EXPECT_TRUE(ok);
    EXPECT_EQ(ValueConversion::convert(Variant(2.0), Variant(false), "bool", &ok), Variant(true));
    EXPECT_TRUE(ok);
    EXPECT_EQ(ValueConversion::convert(Variant(0.0), Variant(), "bool", &ok), Variant(false));
    EXPECT_TRUE(ok);
}

// Links may join ports whose values convert; text never silently becomes the number 0.
TEST(ValueConversion, portTypesConnectWhereTheValueConverts)
{
    EXPECT_TRUE(ValueConversion::connectable("double", "double"));
    EXPECT_TRUE(ValueConversion::connectable("bool", "double"));
    EXPECT_TRUE(ValueConversion::connectable("double", "int"));
    EXPECT_TRUE(ValueConversion::connectable("int", "string"));
    EXPECT_TRUE(ValueConversion::connectable("any", "bool"));
    EXPECT_TRUE(ValueConversion::connectable("string", "any"));
    EXPECT_TRUE(ValueConversion::connectable("string", "string"));
    EXPECT_FALSE(ValueConversion::connectable("string", "double"));
    EXPECT_FALSE(ValueConversion::connectable("string", "bool"));
    EXPECT_FALSE(ValueConversion::connectable("string", "int"));
}

TEST(VariantHolds, namesTheKindWithoutConverting)
{
    EXPECT_TRUE(Variant(2.0).holds<double>());
    EXPECT_FALSE(Variant(2.0).holds<int>());
    EXPECT_TRUE(Variant(2).holds<int>());
    EXPECT_FALSE(Variant(2).holds<double>());
    EXPECT_FALSE(Variant().holds<bool>());
}
