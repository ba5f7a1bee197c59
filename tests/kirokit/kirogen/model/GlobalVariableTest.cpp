#include <kirogen/model/GlobalVariable.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <thread>

using kirogen::model::GlobalVariable;
using lum::core::variant::Variant;

namespace {

TEST(GlobalVariableTest, WritesAreRecordedInTheHistory)
{
    GlobalVariable variable("speed", "double", Variant(0.0));
    EXPECT_EQ(variable.historyBuffer()->writeCount(), 0u);
    EXPECT_TRUE(variable.historyBuffer()->last().isEmpty());

    variable.write(Variant(1.5));
    variable.write(Variant(2.5));
    EXPECT_EQ(variable.value(), Variant(2.5));
    EXPECT_EQ(variable.historyBuffer()->last(), Variant(2.5));
    EXPECT_EQ(variable.historyBuffer()->writeCount(), 2u);
    EXPECT_EQ(variable.historyBuffer()->values(), (std::vector<Variant>{Variant(1.5), Variant(2.5)}));

    variable.reset();
    EXPECT_EQ(variable.historyBuffer()->last(), Variant(0.0));
    EXPECT_EQ(variable.propertyBuffer()->name(), "speed");
    EXPECT_EQ(variable.propertyBuffer()->typeName(), "double");
}

TEST(GlobalVariableTest, HistoryKeepsTheNewestValuesAndCountsAllWrites)
{
    plugin::gui::VariableHistoryBuffer buffer(3);
    for (int i = 1; i <= 5; ++i)
        buffer.append(Variant(i));
    EXPECT_EQ(buffer.values(), (std::vector<Variant>{Variant(3), Variant(4), Variant(5)}));
    EXPECT_EQ(buffer.writeCount(), 5u);
}

TEST(GlobalVariableTest, ConcurrentWritersLoseNoCount)
{
    GlobalVariable variable("n", "int", Variant(0));
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&variable] {
            for (int i = 0; i < 1000; ++i)
                variable.write(Variant(i));
        });
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(variable.historyBuffer()->writeCount(), 4000u);
    EXPECT_EQ(variable.historyBuffer()->values().size(), plugin::gui::VariableHistoryBuffer::defaultCapacity);
}

// The buffers are made on first demand; whoever asks first, from whichever thread, every
// caller and every write must meet the one same buffer.
TEST(GlobalVariableTest, BuffersMadeOnDemandAreSharedByAllCallers)
{
    for (int round = 0; round < 100; ++round) {
        GlobalVariable variable("level", "int", Variant(0));
        std::vector<std::shared_ptr<plugin::gui::VariableHistoryBuffer>> histories(4);
        std::vector<std::shared_ptr<plugin::gui::PropertyBuffer>> properties(4);
        std::vector<std::thread> threads;
        for (std::size_t t = 0; t < histories.size(); ++t) {
            threads.emplace_back([&, t] {
                variable.write(Variant(static_cast<int>(t)));
                histories[t] = variable.historyBuffer();
                properties[t] = variable.propertyBuffer();
            });
        }
        for (auto& thread : threads)
            thread.join();
        for (std::size_t t = 0; t < histories.size(); ++t) {
            ASSERT_EQ(histories[t], variable.historyBuffer());
            ASSERT_EQ(properties[t], variable.propertyBuffer());
        }
        ASSERT_EQ(variable.historyBuffer()->writeCount(), histories.size());
        EXPECT_EQ(variable.propertyBuffer()->name(), "level");
    }
}

TEST(GlobalVariableTest, NamePatternWorksInsideALargerPattern)
{
    const QRegularExpression line(
        QStringLiteral("^## (%1);;(.*) ##$").arg(GlobalVariable::nameValidatorExpression));
    const auto match = line.match(QStringLiteral("## motor_2;;1.5 ##"));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), QStringLiteral("motor_2"));
    EXPECT_FALSE(line.match(QStringLiteral("## 2motor;;1 ##")).hasMatch());

    // isValidName spells the pattern out; both must agree.
    const QRegularExpression whole(
        QRegularExpression::anchoredPattern(GlobalVariable::nameValidatorExpression));
    for (const char* name : {"_x9", "x", "Z_0", "", "9x", "a-b", "a b", "ä", "x\n", "_", "a.b", "A1b2C3"})
        EXPECT_EQ(GlobalVariable::isValidName(name), whole.match(QString::fromUtf8(name)).hasMatch()) << name;
    EXPECT_TRUE(GlobalVariable::isValidName("_x9"));
    EXPECT_FALSE(GlobalVariable::isValidName("9x"));
}

} // namespace
