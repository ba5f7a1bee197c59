// A transition's condition as a project file holds it, parsed against a few global variables
// and evaluated for several step times and variable values.
#include <kirogen/model/Variable.h>
#include <kirogen/sim/condition/ConditionError.h>
#include <kirogen/sim/condition/ConditionParser.h>
#include <FuzzCheck.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

using kirogen::model::Variable;
using kirogen::sim::condition::Condition;
using kirogen::sim::condition::ConditionError;
using kirogen::sim::condition::ConditionParser;
using lum::core::variant::Variant;

std::map<std::string, std::shared_ptr<Variable>> makeVariables()
{
    std::map<std::string, std::shared_ptr<Variable>> variables;
    const auto add = [&variables](const std::string& name, const std::string& type, const Variant& value) {
        variables[name] = std::make_shared<Variable>(name, type, value);
    };
    add("running", "bool", Variant(false));
    add("count", "int", Variant(3));
    add("speed", "double", Variant(0.5));
    add("label", "string", Variant("text"));
    return variables;
}

const std::map<std::string, std::shared_ptr<Variable>> g_variables = makeVariables();

std::optional<Condition> parse(const std::string& text)
{
    ConditionParser parser(text, [](const std::string& name) -> std::shared_ptr<const Variable> {
        const auto found = g_variables.find(name);
        return found == g_variables.end() ? nullptr : found->second;
    });
    try {
        return parser.parse();
    } catch (const ConditionError& e) {
        // The column points into the text, or just past its end.
        FUZZ_CHECK(e.column() >= 0 && static_cast<std::size_t>(e.column()) <= text.size() + 1,
                   "a refusal at column " + std::to_string(e.column()) + " of " +
                       std::to_string(text.size()));
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& entry : g_variables)
        entry.second->reset();

    const std::optional<Condition> condition = parse(text);
    if (!condition)
        return 0;
    FUZZ_CHECK(text.size() <= ConditionParser::maxLength,
               "a condition of " + std::to_string(text.size()) + " characters was accepted");

    constexpr double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double stepTimes[] = {0.0, 1.5, -1.0, 1e308, inf, nan};
    const Variant states[][3] = {
        {Variant(false), Variant(3), Variant(0.5)},
        {Variant(true), Variant(std::numeric_limits<int>::min()), Variant(-inf)},
        {Variant(true), Variant(std::numeric_limits<int>::max()), Variant(nan)},
        {Variant(false), Variant(0), Variant(std::numeric_limits<double>::denorm_min())},
    };
    for (const auto& state : states) {
        g_variables.at("running")->write(state[0]);
        g_variables.at("count")->write(state[1]);
        g_variables.at("speed")->write(state[2]);
        for (const double t : stepTimes) {
            const bool first = condition->holds(t);
            FUZZ_CHECK(condition->holds(t) == first, "\"" + text + "\" changes its mind");
        }
    }
    return 0;
}
