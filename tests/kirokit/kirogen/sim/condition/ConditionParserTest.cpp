#include <kirogen/model/Variable.h>
#include <kirogen/sim/condition/ConditionError.h>
#include <kirogen/sim/condition/ConditionParser.h>

#include <gtest/gtest.h>

#include <map>

using kirogen::model::Variable;
using kirogen::sim::condition::ConditionError;
using kirogen::sim::condition::ConditionParser;
using lum::core::variant::Variant;

namespace {

class ConditionParserTest : public ::testing::Test
{
protected:
    ConditionParserTest()
    {
        add("speed", "double", Variant(0.0));
        add("count", "int", Variant(3));
        add("running", "bool", Variant(false));
        add("label", "string", Variant("text"));
    }

    void add(const std::string& name, const std::string& type, const Variant& value)
    {
        _variables[name] = std::make_shared<Variable>(name, type, value);
    }

    bool holds(const std::string& text, double t = 0.0) { return parser(text).parse().holds(t); }

    ConditionParser parser(const std::string& text)
    {
        return ConditionParser(text, [this](const std::string& name) -> std::shared_ptr<const Variable> {
            const auto found = _variables.find(name);
            return found == _variables.end() ? nullptr : found->second;
        });
    }

    // The column and message of the refusal.
    std::pair<int, std::string> refusal(const std::string& text)
    {
        try {
            parser(text).parse();
        } catch (const ConditionError& e) {
            return {e.column(), e.what()};
        }
        ADD_FAILURE() << "accepted '" << text << "'";
        return {0, std::string()};
    }

    std::map<std::string, std::shared_ptr<Variable>> _variables;
};

TEST_F(ConditionParserTest, StepTimeAndVariablesAreReadWhenEvaluated)
{
    const auto condition = parser("t >= 2 && speed > 0").parse();
    EXPECT_FALSE(condition.holds(2.5));
    _variables["speed"]->write(Variant(0.5));
    EXPECT_FALSE(condition.holds(1.99));
    EXPECT_TRUE(condition.holds(2.0));

    EXPECT_TRUE(holds("!running"));
    _variables["running"]->write(Variant(true));
    EXPECT_TRUE(holds("running == true"));
    EXPECT_TRUE(holds("count == 3 && count != 4"));
}

TEST_F(ConditionParserTest, PrecedenceAndAssociativityFollowC)
{
    EXPECT_TRUE(holds("1 + 2 * 3 == 7"));
    EXPECT_TRUE(holds("(1 + 2) * 3 == 9"));
    EXPECT_TRUE(holds("8 - 4 - 2 == 2"));
    EXPECT_TRUE(holds("8 / 4 / 2 == 1"));
    EXPECT_TRUE(holds("-count + 5 == 2"));
    EXPECT_TRUE(holds("true || false && false"));
    EXPECT_FALSE(holds("(true || false) && false"));
    EXPECT_TRUE(holds("!false && !!true"));
    EXPECT_TRUE(holds("1.5e1 >= 15 && .5 < 1"));
    EXPECT_TRUE(holds("t <= 0.25", 0.25));
    // A division by 0 gives 0, as the division block does.
    EXPECT_TRUE(holds("count / 0 == 0 && -count / (t - t) == 0 && 0 / 0 == 0"));
    EXPECT_FALSE(holds("1 / 0 > 1000"));
}

TEST_F(ConditionParserTest, RefusalsNameTheColumnAndTheFault)
{
    struct Case
    {
        const char* text;
        int column;
        const char* message;
    };
    const Case cases[] = {
        {"", 1, "empty"},
        {"   ", 1, "empty"},
        {"t >= ", 6, "missing at the end"},
        {"t >= 2 &&", 10, "missing at the end"},
        {"speed > 0)", 10, "unexpected ')'"},
        {"(speed > 0", 11, "missing ')' for the '(' at column 1"},
        {"distance > 2", 1, "unknown global variable 'distance'"},
        {"label == 1", 1, "holds text"},
        {"speed = 1", 7, "compare with '=='"},
        {"running & true", 9, "use '&&'"},
        {"speed # 2", 7, "unexpected character '#'"},
        {"speed + 1", 1, "gives a number"},
        {"speed && running", 7, "'&&' needs true or false on both sides"},
        {"running < 1", 9, "'<' needs numbers"},
        {"running == 1", 9, "compares a number with true or false"},
        {"!speed", 1, "'!' needs true or false after it"},
        {"1.2.3 > 0", 1, "'1.2.3' is not a number"},
        {"1e999 > 0", 1, "not a number"},
        {"speed > > 0", 9, "expected a value, found '>'"},
    };
    for (const Case& c : cases) {
        const auto [column, message] = refusal(c.text);
        EXPECT_EQ(column, c.column) << c.text << ": " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.text << ": " << message;
        EXPECT_EQ(message.rfind("column " + std::to_string(c.column) + ": ", 0), 0u) << message;
    }
}

TEST_F(ConditionParserTest, SizeAndNestingAreBoundedRightAtTheLimits)
{
    const auto repeat = [](const std::string& part, int times) {
        std::string text;
        for (int i = 0; i < times; ++i)
            text += part;
        return text;
    };
    const auto nested = [&repeat](int levels) { return repeat("(", levels) + "true" + repeat(")", levels); };
    // 2k + 3 nodes: k + 1 ones, k additions, the 0 and the comparison, made in this order.
    const auto sum = [&repeat](int k) { return "1" + repeat("+1", k) + " > 0"; };

    EXPECT_TRUE(holds(nested(ConditionParser::maxDepth)));
    EXPECT_TRUE(holds(repeat("!", ConditionParser::maxDepth) + "true"));
    EXPECT_TRUE(holds("true" + std::string(ConditionParser::maxLength - 4, ' ')));
    EXPECT_TRUE(holds("-1" + repeat("+1", 498) + " > 0")); // 1000 nodes

    EXPECT_EQ(refusal(nested(ConditionParser::maxDepth + 1)),
              std::make_pair(101, std::string("column 101: the condition nests parentheses and '!' or '-' "
                                              "deeper than 100 levels")));
    EXPECT_EQ(refusal(repeat("-", 101) + "1 > 0").first, 101);
    EXPECT_EQ(refusal("true" + std::string(ConditionParser::maxLength - 3, ' ')),
              std::make_pair(4097, std::string("column 4097: the condition is longer than 4096 characters")));
    EXPECT_EQ(refusal(sum(499)), std::make_pair(1001, std::string("column 1001: the condition has more than "
                                                                  "1000 values and operators")));
}

} // namespace
