#include <kirogen/model/Variable.h>

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

using kirogen::model::Variable;
using lum::core::variant::Variant;

TEST(Variable, writeTakesEffectAndResetRestoresTheInitialValue)
{
    Variable variable("speed", "double", Variant(1.5));
    EXPECT_EQ(variable.getVarName(), "speed");
    EXPECT_EQ(variable.typeName(), "double");
    EXPECT_EQ(variable.value(), Variant(1.5));

    variable.write(Variant(2.5));
    EXPECT_EQ(variable.value(), Variant(2.5));
    EXPECT_EQ(variable.initialValue(), Variant(1.5));

    variable.setInitialValue(Variant(0.0));
    EXPECT_EQ(variable.value(), Variant(2.5));
    variable.reset();
    EXPECT_EQ(variable.value(), Variant(0.0));
}

TEST(Variable, aNewInitialValueLeavesTheCurrentValueAlone)
{
    Variable variable("speed", "double", Variant(1.5));
    variable.setInitialValue(Variant(3.0));
    EXPECT_EQ(variable.value(), Variant(1.5));
    EXPECT_EQ(variable.initialValue(), Variant(3.0));
    variable.reset();
    EXPECT_EQ(variable.value(), Variant(3.0));
}

// Programs and devices write from their own threads: a reader sees only whole values
// that some writer wrote.
TEST(Variable, concurrentWritesAndReadsSeeWholeValues)
{
    constexpr int Writes = 2000;
    Variable variable("text", "string", Variant(std::string(64, 'i')));
    std::set<std::string> written{std::string(64, 'i')};
    for (char c : {'a', 'b'})
        written.insert(std::string(64, c));

    std::vector<std::thread> threads;
    for (char c : {'a', 'b'}) {
        threads.emplace_back([&variable, c] {
            for (int i = 0; i < Writes; ++i)
                variable.write(Variant(std::string(64, c)));
        });
    }
    std::vector<std::string> seen;
    threads.emplace_back([&] {
        for (int i = 0; i < Writes; ++i)
            seen.push_back(variable.value().get<std::string>());
    });
    for (std::thread& thread : threads)
        thread.join();

    for (const std::string& value : seen)
        ASSERT_EQ(written.count(value), 1u) << value;
    EXPECT_EQ(written.count(variable.value().get<std::string>()), 1u);
}
