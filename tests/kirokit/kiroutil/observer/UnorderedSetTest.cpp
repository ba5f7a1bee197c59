#include <kiroutil/observer/unordered_set.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

template <typename Set>
std::vector<typename Set::set_type::value_type> compareOrder(const Set& set)
{
    return {set.begin(), set.end()};
}

template <typename Set>
std::vector<typename Set::set_type::value_type> insertionOrder(const Set& set)
{
    std::vector<typename Set::set_type::value_type> values;
    for (auto it = set.beginInOrder(); it != set.endInOrder(); ++it)
        values.push_back(**it);
    return values;
}

} // namespace

TEST(UnorderedSet, keepsCompareOrderAndInsertionOrderApart)
{
    util::unordered_set<int> set;
    for (int value : {30, 10, 20})
        EXPECT_TRUE(set.insert(value).second);

    EXPECT_EQ(compareOrder(set), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(insertionOrder(set), (std::vector<int>{30, 10, 20}));
    EXPECT_EQ(set.inOrder(), (std::vector<int>{30, 10, 20}));

    util::unordered_set<int, std::greater<int>> reversed;
    for (int value : {20, 30, 10})
        reversed.insert(value);
    EXPECT_EQ(compareOrder(reversed), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(insertionOrder(reversed), (std::vector<int>{20, 30, 10}));
}

TEST(UnorderedSet, insertingAgainKeepsTheFirstPosition)
{
    util::unordered_set<int> set;
    set.insert(2);
    set.insert(1);
    const auto again = set.insert(2);
    EXPECT_FALSE(again.second);
    EXPECT_EQ(*again.first, 2);
    EXPECT_EQ(set.size(), 2u);
    EXPECT_EQ(set.inOrder(), (std::vector<int>{2, 1}));
}

TEST(UnorderedSet, eraseRemovesFromBothOrdersAndReinsertGoesToTheEnd)
{
    util::unordered_set<int> set;
    for (int value : {5, 3, 9, 1})
        set.insert(value);

    EXPECT_EQ(set.erase(7), 0u);
    EXPECT_EQ(set.erase(3), 1u);
    EXPECT_EQ(set.find(3), set.end());
    EXPECT_EQ(set.inOrder(), (std::vector<int>{5, 9, 1}));
    EXPECT_EQ(compareOrder(set), (std::vector<int>{1, 5, 9}));

    set.erase(set.find(5));
    EXPECT_EQ(set.inOrder(), (std::vector<int>{9, 1}));

    set.insert(5);
    set.insert(3);
    EXPECT_EQ(set.inOrder(), (std::vector<int>{9, 1, 5, 3}));
    EXPECT_EQ(compareOrder(set), (std::vector<int>{1, 3, 5, 9}));

    set.clear();
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.beginInOrder(), set.endInOrder());
    set.insert(4);
    EXPECT_EQ(set.inOrder(), (std::vector<int>{4}));
}

// The order vector holds iterators into the set: a copy must point into its own set, not
// into the original, which may be changed or gone by the time the copy is walked.
TEST(UnorderedSet, copyOutlivesAndIgnoresTheOriginal)
{
    auto original = std::make_unique<util::unordered_set<std::string>>();
    for (const char* value : {"c", "a", "b"})
        original->insert(value);

    util::unordered_set<std::string> copy(*original);
    util::unordered_set<std::string> assigned;
    assigned.insert("z");
    assigned = *original;

    original->erase("a");
    original->insert("d");
    EXPECT_EQ(insertionOrder(copy), (std::vector<std::string>{"c", "a", "b"}));
    original.reset();

    EXPECT_EQ(insertionOrder(copy), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(insertionOrder(assigned), (std::vector<std::string>{"c", "a", "b"}));
    copy.erase("c");
    EXPECT_EQ(insertionOrder(copy), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(insertionOrder(assigned), (std::vector<std::string>{"c", "a", "b"}));

    util::unordered_set<std::string> moved(std::move(assigned));
    moved.insert("e");
    EXPECT_EQ(insertionOrder(moved), (std::vector<std::string>{"c", "a", "b", "e"}));
}
