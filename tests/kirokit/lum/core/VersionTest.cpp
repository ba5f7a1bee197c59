#include <lum/core/Version.h>

#include <QMetaType>
#include <QVariant>

#include <gtest/gtest.h>

#include <limits>

using lum::core::Version;

namespace {

Version parsed(const char* text)
{
    Version version(7, 7, 7);
    version.fromString(text);
    return version;
}

} // namespace

TEST(Version, parsesSeparatedNumbersAndFillsMissingOnesWithZero)
{
    EXPECT_EQ(parsed("3.0.15"), Version(3, 0, 15));
    EXPECT_EQ(parsed("3-1-2"), Version(3, 1, 2));
    EXPECT_EQ(parsed("3.2"), Version(3, 2, 0));
    EXPECT_EQ(parsed("3"), Version(3, 0, 0));
    EXPECT_EQ(parsed(" 3 . 2 - 1"), Version(3, 2, 1));
    EXPECT_EQ(parsed("3.3.1 Build 20190423"), Version(3, 3, 1));
    EXPECT_EQ(parsed("3.3.1\r"), Version(3, 3, 1));
}

TEST(Version, rejectsAnIncompleteThirdNumberOrAMissingLeadingNumber)
{
    EXPECT_TRUE(parsed("3.2.").isEmpty());
    EXPECT_TRUE(parsed("3.2.x").isEmpty());
    EXPECT_TRUE(parsed("v3.2.1").isEmpty());
    EXPECT_TRUE(parsed("").isEmpty());
}

TEST(Version, stopsAtTheFirstCharacterThatIsNoSeparator)
{
    EXPECT_EQ(parsed("3x2.1"), Version(3, 0, 0));
    EXPECT_EQ(parsed("3.2x1"), Version(3, 2, 0));
    // A failed second number stores 0 and ends the read.
    EXPECT_EQ(parsed("3.x.1"), Version(3, 0, 0));
}

TEST(Version, treatsANumberTooLargeForAnIntAsABadNumber)
{
    // The stream alone would store the largest int, which passes any version check.
    EXPECT_TRUE(parsed("99999999999.1.1").isEmpty());
    EXPECT_EQ(parsed("3.99999999999.1"), Version(3, 0, 0));
    EXPECT_TRUE(parsed("3.0.99999999999").isEmpty());
    EXPECT_EQ(parsed("2147483647.0.1"), Version(std::numeric_limits<int>::max(), 0, 1));
    EXPECT_EQ(parsed("-2147483648.0.1"), Version(std::numeric_limits<int>::min(), 0, 1));
    EXPECT_TRUE(parsed("-2147483649.0.1").isEmpty());
    EXPECT_TRUE(Version(QStringLiteral("4294967299.0.15")).isEmpty());
}

TEST(Version, convertsQStringThroughLatin1)
{
    EXPECT_EQ(Version(QStringLiteral("3.0.15")), Version(3, 0, 15));
    EXPECT_TRUE(Version(QStringLiteral("\u00e43.0.15")).isEmpty());
}

TEST(Version, printsDottedNumbersAndNothingWhenEmpty)
{
    EXPECT_EQ(Version(3, 0, 15).toString(), "3.0.15");
    EXPECT_EQ(Version(3, 0, 15).toQString(), QStringLiteral("3.0.15"));
    EXPECT_EQ(Version(0, 0, 1).toString(), "0.0.1");
    EXPECT_EQ(Version().toString(), "");
    Version version(1, 2, 3);
    version.reset();
    EXPECT_TRUE(version.isEmpty());
}

TEST(Version, ordersByMajorThenMinorThenPatch)
{
    const Version lowest(3, 0, 15);
    EXPECT_TRUE(Version(3, 0, 14) < lowest);
    EXPECT_TRUE(Version(2, 9, 99) < lowest);
    EXPECT_TRUE(lowest < Version(3, 1, 0));
    EXPECT_TRUE(lowest < Version(3, 0, 16));
    EXPECT_FALSE(Version(3, 3, 1) < lowest);
    EXPECT_FALSE(lowest < lowest);
    EXPECT_TRUE(Version(3, 0, 99) < Version(3, 1, 0));
}

TEST(Version, isRegisteredUnderItsQualifiedName)
{
    const int id = QMetaType::type("lum::core::Version");
    ASSERT_NE(id, QMetaType::UnknownType);
    EXPECT_EQ(id, qMetaTypeId<Version>());
    const QVariant carried = QVariant::fromValue(Version(3, 3, 1));
    EXPECT_EQ(carried.value<Version>(), Version(3, 3, 1));
}
