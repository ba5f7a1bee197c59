#include <lum/core/Strings.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using lum::core::split;
using Parts = std::vector<std::string>;

TEST(Split, keepsEmptyPartsAtEveryPosition)
{
    EXPECT_EQ(split("/a;/b", ';'), (Parts{"/a", "/b"}));
    EXPECT_EQ(split("a;;b", ';'), (Parts{"a", "", "b"}));
    EXPECT_EQ(split(";a;", ';'), (Parts{"", "a", ""}));
    EXPECT_EQ(split(";", ';'), (Parts{"", ""}));
    EXPECT_EQ(split("no separator", ';'), (Parts{"no separator"}));
    EXPECT_EQ(split("a:b;c", ':'), (Parts{"a", "b;c"}));
    EXPECT_TRUE(split("", ';').empty());
}
