#include <lum/core/Variant.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <locale>
#include <memory>
#include <string>

using lum::core::variant::Variant;

namespace {

// A decimal comma, as a German desktop has it.
struct CommaDecimal : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
};

std::string text(const Variant& variant)
{
    bool ok = false;
    const std::string result = variant.toString(&ok);
    EXPECT_TRUE(ok);
    return result;
}

} // namespace

TEST(Variant, emptyAndOpaqueValuesHaveNoText)
{
    const Variant empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.typeName().empty());
    bool ok = true;
    EXPECT_EQ(empty.toString(&ok), "");
    EXPECT_FALSE(ok);

    ok = true;
    EXPECT_EQ(Variant::fromValue(std::make_shared<int>(1)).toString(&ok), "");
    EXPECT_FALSE(ok);
    EXPECT_FALSE(Variant(0).isEmpty());
}

TEST(Variant, textOfBooleansIntegersAndStrings)
{
    EXPECT_EQ(text(Variant(true)), "true");
    EXPECT_EQ(text(Variant(false)), "false");
    EXPECT_EQ(text(Variant(-42)), "-42");
    EXPECT_EQ(text(Variant("Grüße")), "Grüße");
    EXPECT_EQ(text(Variant(std::string())), "");
    EXPECT_EQ(Variant(7).typeName(), "int");
    EXPECT_EQ(Variant::typed(7, "uint8").typeName(), "uint8");
    EXPECT_EQ(text(Variant::typed(7, "uint8")), "7");
}

TEST(Variant, doubleTextIsTheShortestThatReadsBackWithAPoint)
{
    // The desktop's locale must not turn the point into a comma.
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));

    EXPECT_EQ(text(Variant(0.1)), "0.1");
    EXPECT_EQ(text(Variant(2.5)), "2.5");
    EXPECT_EQ(text(Variant(-3.0)), "-3");
    EXPECT_EQ(text(Variant(1e22)), "1e+22");
    EXPECT_EQ(text(Variant(1.0 / 3.0)), "0.3333333333333333");
    for (double value : {0.1 + 0.2, 1.0 / 3.0, 123456.789, 5e-324, 1.7976931348623157e308}) {
        const std::string written = text(Variant(value));
        EXPECT_EQ(std::strtod(written.c_str(), nullptr), value) << written;
    }
    std::locale::global(previous);
}

TEST(Variant, numbersConvertBetweenIntAndDouble)
{
    bool ok = false;
    EXPECT_EQ(Variant(3).get<double>(&ok), 3.0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Variant(4.0).get<int>(&ok), 4);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Variant(-2147483648.0).get<int>(&ok), -2147483647 - 1);
    EXPECT_TRUE(ok);

    // A double that int cannot hold exactly does not convert.
    for (double value : {4.5, 3e9, -3e9, std::nan("")}) {
        ok = true;
        EXPECT_EQ(Variant(value).get<int>(&ok), 0) << value;
        EXPECT_FALSE(ok) << value;
    }

    // Nothing else converts.
    ok = true;
    EXPECT_EQ(Variant("12").get<int>(&ok), 0);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_FALSE(Variant(1).get<bool>(&ok));
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(Variant(true).get<std::string>(&ok), "");
    EXPECT_FALSE(ok);
}

TEST(Variant, opaquePayloadsComeBackThroughGet)
{
    struct Session
    {
        int id;
    };
    const auto session = std::make_shared<Session>(Session{49});
    const Variant variant = Variant::fromValue(session);
    const Variant copy = variant;

    bool ok = false;
    EXPECT_EQ(copy.get<std::shared_ptr<Session>>(&ok), session);
    EXPECT_TRUE(ok);
    EXPECT_EQ(session.use_count(), 3);

    ok = true;
    EXPECT_EQ(copy.get<std::shared_ptr<int>>(&ok), nullptr);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(copy.get<int>(&ok), 0);
    EXPECT_FALSE(ok);
}

TEST(Variant, fromValueOfAPlainKindIsThatKind)
{
    EXPECT_EQ(Variant::fromValue(5), Variant(5));
    EXPECT_EQ(Variant::fromValue(5).get<int>(), 5);
    EXPECT_EQ(Variant::fromValue(5).get<double>(), 5.0);
    EXPECT_EQ(text(Variant::fromValue(2.5)), "2.5");
    EXPECT_EQ(text(Variant::fromValue(std::string("s"))), "s");
    EXPECT_EQ(text(Variant::fromValue("c")), "c");
    EXPECT_EQ(Variant::fromValue(true).typeName(), "bool");
}

TEST(Variant, equalityNeedsTheSameTypeAndValue)
{
    EXPECT_EQ(Variant(), Variant());
    EXPECT_EQ(Variant(1), Variant(1));
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
    EXPECT_NE(Variant(1), Variant(2));
    EXPECT_NE(Variant(1), Variant(1.0));
    EXPECT_NE(Variant(1), Variant(true));
    EXPECT_NE(Variant(1), Variant());
    EXPECT_NE(Variant(1), Variant::typed(1, "uint8"));
    EXPECT_EQ(Variant::typed(1, "uint8"), Variant::typed(1, "uint8"));
    // Type names compare by their text, however they were spelt out.
    const std::string builtAtRunTime = std::string("in") + "t";
    EXPECT_EQ(Variant::typed(1, builtAtRunTime), Variant(1));
    EXPECT_EQ(Variant::typed(1, builtAtRunTime).typeName(), "int");
    EXPECT_NE(Variant::typed(std::string(), ""), Variant(std::string()));
    EXPECT_EQ(Variant::typed(std::string(), ""), Variant::typed(std::string(), std::string()));
    EXPECT_TRUE(Variant::typed(std::string(), "").typeName().empty());
}
