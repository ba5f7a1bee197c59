#include <lum/core/Map.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

using Map = lum::core::Map<std::string, int>;

namespace {

std::vector<std::pair<std::string, int>> entries(const Map& map)
{
    return {map.begin(), map.end()};
}

} // namespace

TEST(Map, copiesShareUntilOneSideWrites)
{
    Map original;
    original.insert("a", 1);
    original.insert("b", 2);

    // Every kind of write detaches the writer and leaves the other side as it was.
    const std::vector<std::pair<const char*, void (*)(Map&)>> writes{
        {"insert", [](Map& map) { map.insert("a", 10); }},
        {"operator[]", [](Map& map) { map["c"] = 3; }},
        {"remove", [](Map& map) { map.remove("a"); }},
        {"clear", [](Map& map) { map.clear(); }},
        {"iterator", [](Map& map) { map.begin()->second = 10; }},
        {"find", [](Map& map) { map.find("b")->second = 20; }},
    };
    for (const auto& write : writes) {
        SCOPED_TRACE(write.first);
        Map copy = original;
        EXPECT_TRUE(copy.isSharedWith(original));
        write.second(copy);
        EXPECT_FALSE(copy.isSharedWith(original));
        EXPECT_NE(copy, original);
        EXPECT_EQ(entries(original), (std::vector<std::pair<std::string, int>>{{"a", 1}, {"b", 2}}));
    }

    // The original writing leaves the copy alone as well.
    Map copy;
    copy = original;
    original.insert("b", 5);
    EXPECT_EQ(copy.value("b"), 2);
    EXPECT_EQ(original.value("b"), 5);

    // Reading never detaches.
    Map reader = copy;
    const Map& constReader = reader;
    EXPECT_TRUE(constReader.contains("a"));
    EXPECT_EQ(constReader.find("a")->second, 1);
    EXPECT_EQ(constReader.value("zz", -1), -1);
    EXPECT_EQ(entries(constReader).size(), 2u);
    EXPECT_TRUE(reader.isSharedWith(copy));
}

TEST(Map, insertReplacesAndIndexInsertsADefault)
{
    Map map;
    map.insert("k", 1);
    map.insert("k", 2);
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.value("k"), 2);

    EXPECT_FALSE(map.contains("new"));
    EXPECT_EQ(map["new"], 0);
    EXPECT_TRUE(map.contains("new"));
    map["new"] += 7;
    EXPECT_EQ(map.value("new"), 7);
    EXPECT_EQ(map.size(), 2u);
}

TEST(Map, removeCountsAndIterationFollowsKeyOrder)
{
    Map map;
    for (const char* key : {"delta", "alpha", "charlie", "bravo"})
        map.insert(key, static_cast<int>(map.size()));
    EXPECT_EQ(entries(map), (std::vector<std::pair<std::string, int>>{
                                {"alpha", 1}, {"bravo", 3}, {"charlie", 2}, {"delta", 0}}));

    EXPECT_EQ(map.remove("charlie"), 1u);
    EXPECT_EQ(map.remove("charlie"), 0u);
    EXPECT_EQ(map.remove("echo"), 0u);
    EXPECT_EQ(map.size(), 3u);

    map.clear();
    EXPECT_TRUE(map.isEmpty());
    EXPECT_EQ(map.begin(), map.end());
}

TEST(Map, aMovedFromMapIsStillAnEmptyOrSharedMap)
{
    Map source;
    source.insert("a", 1);
    Map target(std::move(source));
    EXPECT_EQ(target.value("a"), 1);

    // Whatever the move left behind must be usable without crashing.
    source.insert("b", 2);
    EXPECT_TRUE(source.contains("b"));
    EXPECT_FALSE(target.contains("b"));

    Map assigned;
    assigned = std::move(target);
    target["c"] = 3;
    EXPECT_EQ(assigned.value("a"), 1);
    EXPECT_FALSE(assigned.contains("c"));
}

// Copies of one map handed to different threads are separate maps: each thread's writes
// detach its own copy and never show in the other's.
TEST(Map, copiesMayBeWrittenFromDifferentThreads)
{
    for (int round = 0; round < 200; ++round) {
        Map original;
        for (int i = 0; i < 8; ++i)
            original.insert(std::to_string(i), i);
        Map first = original;
        Map second = original;
        original = Map();

        std::thread one([&first] { first.insert("1", -1); });
        std::thread two([&second] { second["2"] = -2; });
        one.join();
        two.join();
        ASSERT_EQ(first.value("1"), -1);
        ASSERT_EQ(first.value("2"), 2);
        ASSERT_EQ(second.value("1"), 1);
        ASSERT_EQ(second.value("2"), -2);
    }
}
