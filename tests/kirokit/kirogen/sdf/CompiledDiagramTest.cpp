#include "../EngineTestSupport.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/sdf/ActorFactory.h>
#include <kirogen/sdf/CompiledDiagram.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <gtest/gtest.h>

using enginetest::block;
using enginetest::wire;
using kirogen::model::DataLink;
using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;
using kirogen::sdf::CompiledDiagram;
using lum::core::variant::Variant;

namespace {

class CompiledDiagramTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { enginetest::loadSystem(); }

    CompiledDiagramTest()
        : _project(enginetest::project("<variable name=\"x\" type=\"double\" value=\"0\"/>"
                                       "<variable name=\"n\" type=\"int\" value=\"0\"/>"
                                       "<variable name=\"flag\" type=\"bool\" value=\"false\"/>"
                                       "<variable name=\"clear\" type=\"bool\" value=\"false\"/>"
                                       "<variable name=\"label\" type=\"string\" value=\"\"/>",
                                       ""))
    {
    }

    std::unique_ptr<CompiledDiagram> compile(std::vector<FunctionBlock> blocks, std::vector<DataLink> links)
    {
        const FunctionBlockDiagram diagram("d", std::move(blocks), std::move(links));
        auto compiled = std::make_unique<CompiledDiagram>(diagram, _project, "test.tkp2");
        compiled->reset();
        return compiled;
    }

    std::string compileError(std::vector<FunctionBlock> blocks, std::vector<DataLink> links)
    {
        try {
            compile(std::move(blocks), std::move(links));
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        ADD_FAILURE() << "compiled";
        return std::string();
    }

    // The output of a two-input block fed by two constants, after one cycle.
    Variant binary(const std::string& type, const std::string& a, const std::string& b,
                   const std::string& valueType = "double")
    {
        const auto diagram =
            compile({block("a", "const", {{"value", a}, {"type", valueType}}),
                     block("b", "const", {{"value", b}, {"type", valueType}}), block("op", type)},
                    {wire("a.out", "op.a"), wire("b.out", "op.b")});
        diagram->runCycle(0.0);
        return diagram->value("op", "out");
    }

    void set(const std::string& variable, const Variant& value)
    {
        _project->globalVariable(variable)->write(value);
    }
    Variant get(const std::string& variable) { return _project->globalVariable(variable)->value(); }

    std::shared_ptr<kirogen::model::Project> _project;
};

TEST_F(CompiledDiagramTest, EvaluatesInDataFlowOrderWhateverTheFileOrder)
{
    const auto diagram =
        compile({block("write", "gvwrite", {{"variable", "x"}}), block("twice", "add"), block("sum", "add"),
                 block("three", "const", {{"value", "3"}}), block("two", "const", {{"value", "2"}}),
                 block("loose", "not")},
                {wire("twice.out", "write.in"), wire("sum.out", "twice.a"), wire("sum.out", "twice.b"),
                 wire("three.out", "sum.a"), wire("two.out", "sum.b")});
    EXPECT_EQ(diagram->evaluationOrder(),
              (std::vector<std::string>{"three", "two", "sum", "twice", "write", "loose"}));
    diagram->runCycle(0.0);
    EXPECT_EQ(get("x"), Variant(10.0)); // already in the first cycle
}

TEST_F(CompiledDiagramTest, ArithmeticComparisonAndLogic)
{
    EXPECT_EQ(binary("add", "7", "2.5"), Variant(9.5));
    EXPECT_EQ(binary("sub", "7", "2.5"), Variant(4.5));
    EXPECT_EQ(binary("mul", "7", "2.5"), Variant(17.5));
    EXPECT_EQ(binary("div", "7", "2"), Variant(3.5));
    EXPECT_EQ(binary("div", "7", "0"), Variant(0.0));
    EXPECT_EQ(binary("add", "7", "2", "int"), Variant(9.0));

    EXPECT_EQ(binary("eq", "2", "2"), Variant(true));
    EXPECT_EQ(binary("ne", "2", "2"), Variant(false));
    EXPECT_EQ(binary("lt", "1", "2"), Variant(true));
    EXPECT_EQ(binary("lt", "2", "2"), Variant(false));
    EXPECT_EQ(binary("le", "2", "2"), Variant(true));
    EXPECT_EQ(binary("gt", "3", "2"), Variant(true));
    EXPECT_EQ(binary("ge", "1", "2"), Variant(false));
    EXPECT_EQ(binary("lt", "abc", "abd", "string"), Variant(true));
    EXPECT_EQ(binary("eq", "abc", "abc", "string"), Variant(true));

    EXPECT_EQ(binary("and", "true", "true", "bool"), Variant(true));
    EXPECT_EQ(binary("and", "true", "false", "bool"), Variant(false));
    EXPECT_EQ(binary("or", "false", "true", "bool"), Variant(true));
    EXPECT_EQ(binary("or", "false", "false", "bool"), Variant(false));
    EXPECT_EQ(binary("and", "2", "0.5"), Variant(true)); // numbers count as true unless 0

    // Unconnected inputs read as 0 and false.
    const auto loose = compile({block("not", "not"), block("or", "or"), block("sum", "add")}, {});
    loose->runCycle(0.0);
    EXPECT_EQ(loose->value("not", "out"), Variant(true));
    EXPECT_EQ(loose->value("or", "out"), Variant(false));
    EXPECT_EQ(loose->value("sum", "out"), Variant(0.0));
    EXPECT_TRUE(loose->value("sum", "nothing").isEmpty());
}

TEST_F(CompiledDiagramTest, OnDelayTimerFollowsTheRunTime)
{
    const auto diagram =
        compile({block("in", "gvread", {{"variable", "flag"}}), block("timer", "ton", {{"pt", "1"}})},
                {wire("in.out", "timer.in")});
    const auto at = [&](double now) {
        diagram->runCycle(now);
        return std::make_pair(diagram->value("timer", "q"), diagram->value("timer", "et"));
    };
    using Out = std::pair<Variant, Variant>;
    EXPECT_EQ(at(0.0), Out(false, 0.0));
    set("flag", true);
    EXPECT_EQ(at(0.25), Out(false, 0.0));
    EXPECT_EQ(at(0.75), Out(false, 0.5));
    EXPECT_EQ(at(1.25), Out(true, 1.0));
    EXPECT_EQ(at(5.0), Out(true, 1.0)); // et stops at pt
    set("flag", false);
    EXPECT_EQ(at(5.25), Out(false, 0.0));
    set("flag", true);
    EXPECT_EQ(at(5.5), Out(false, 0.0)); // timing starts again
    EXPECT_EQ(at(6.25), Out(false, 0.75));
    diagram->reset();
    EXPECT_EQ(at(6.5), Out(false, 0.0));
}

TEST_F(CompiledDiagramTest, CounterCountsRisingEdgesAndHoldsZeroWhileReset)
{
    const auto diagram = compile({block("cu", "gvread", {{"variable", "flag"}}),
                                  block("reset", "gvread", {{"variable", "clear"}}), block("counter", "ctu")},
                                 {wire("cu.out", "counter.cu"), wire("reset.out", "counter.reset")});
    double now = 0.0;
    const auto cycle = [&](bool cu, bool reset) {
        set("flag", cu);
        set("clear", reset);
        diagram->runCycle(now += 0.5);
        return diagram->value("counter", "cv");
    };
    EXPECT_EQ(cycle(false, false), Variant(0));
    EXPECT_EQ(cycle(true, false), Variant(1));
    EXPECT_EQ(cycle(true, false), Variant(1)); // held, not counted again
    EXPECT_EQ(cycle(false, false), Variant(1));
    EXPECT_EQ(cycle(true, false), Variant(2));
    EXPECT_EQ(cycle(true, true), Variant(0));
    EXPECT_EQ(cycle(true, false), Variant(0)); // releasing reset with cu held is no edge
    EXPECT_EQ(cycle(false, false), Variant(0));
    EXPECT_EQ(cycle(true, false), Variant(1));
}

TEST_F(CompiledDiagramTest, DelayCarriesAValueIntoTheNextCycleAndMayCloseALoop)
{
    // count = delay(count + 1): a loop through the delay counts cycles.
    const auto diagram = compile({block("next", "add"), block("one", "const", {{"value", "1"}}),
                                  block("previous", "delay", {{"initial", "10"}}),
                                  block("write", "gvwrite", {{"variable", "n"}})},
                                 {wire("previous.out", "next.a"), wire("one.out", "next.b"),
                                  wire("next.out", "previous.in"), wire("next.out", "write.in")});
    for (double now : {0.0, 0.5, 1.0})
        diagram->runCycle(now);
    EXPECT_EQ(diagram->value("previous", "out"), Variant(12.0));
    EXPECT_EQ(get("n"), Variant(13));
    diagram->reset();
    diagram->runCycle(0.0);
    EXPECT_EQ(get("n"), Variant(11));
}

TEST_F(CompiledDiagramTest, LoopWithoutDelayNamesALineAndTheBlocksOfTheLoop)
{
    std::string error = compileError(
        {block("after", "not", {}, 9), block("a", "add", {}, 10), block("b", "mul", {}, 11),
         block("c", "sub", {}, 12)},
        {wire("a.out", "b.a"), wire("b.out", "c.a"), wire("c.out", "a.a"), wire("b.out", "after.in")});
    EXPECT_EQ(error, "test.tkp2:10: block \"a\" is part of a cycle without a delay block: a -> b -> c -> a");

    error = compileError({block("self", "add", {}, 4)}, {wire("self.out", "self.b")});
    EXPECT_EQ(error, "test.tkp2:4: block \"self\" is part of a cycle without a delay block: self -> self");
}

TEST_F(CompiledDiagramTest, BadBlocksLinksAndParametersNameLineAndFault)
{
    struct Case
    {
        std::vector<FunctionBlock> blocks;
        std::vector<DataLink> links;
        const char* error;
    };
    const std::vector<Case> cases = {
        {{block("a", "nosuch", {}, 3)}, {}, "test.tkp2:3: block \"a\" has the unknown actor type \"nosuch\""},
        {{block("a", "add", {}, 3), block("a", "sub", {}, 4)},
         {},
         "test.tkp2:4: block id \"a\" is used twice in diagram \"d\""},
        {{block("a", "add", {{"gain", "2"}}, 3)},
         {},
         "test.tkp2:3: actor type \"add\" has no parameter \"gain\""},
        {{block("t", "ton", {{"pt", "soon"}}, 5)},
         {},
         "test.tkp2:5: block 't' (ton): parameter 'pt' is not a number: 'soon'"},
        {{block("t", "ton", {{"pt", "-1"}}, 5)},
         {},
         "test.tkp2:5: block 't' (ton): parameter 'pt' must not be negative"},
        {{block("c", "const", {{"value", "many"}, {"type", "int"}}, 6)},
         {},
         "test.tkp2:6: block 'c' (const): value 'many' does not fit the data type 'int'"},
        {{block("r", "gvread", {{"variable", "speed"}}, 7)},
         {},
         "test.tkp2:7: block \"r\" names no global variable of the project"},
        {{block("o", "devout", {{"device", "robot"}, {"port", "x"}}, 7)},
         {},
         "test.tkp2:7: block \"o\" names no device of the project"},
        {{block("a", "add"), block("b", "not")},
         {wire("a.result", "b.in", 8)},
         "test.tkp2:8: link from the unknown output port \"a.result\""},
        {{block("a", "add"), block("b", "not")},
         {wire("a.out", "b.a", 8)},
         "test.tkp2:8: link to the unknown input port \"b.a\""},
        {{block("a", "add")}, {wire("a.out", "z.in", 8)}, "test.tkp2:8: link to the unknown block \"z\""},
        {{block("a", "add")}, {wire("z.out", "a.a", 8)}, "test.tkp2:8: link from the unknown block \"z\""},
        {{block("a", "add"), block("b", "add"), block("c", "not")},
         {wire("a.out", "c.in", 8), wire("b.out", "c.in", 9)},
         "test.tkp2:9: input \"c.in\" has more than one link"},
    };
    for (const Case& c : cases) {
        const std::string error = compileError(c.blocks, c.links);
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST_F(CompiledDiagramTest, VariableWritesConvertToTheVariableTypeAndHappenOnChange)
{
    const auto diagram =
        compile({block("in", "gvread", {{"variable", "x"}}), block("toInt", "gvwrite", {{"variable", "n"}}),
                 block("toBool", "gvwrite", {{"variable", "flag"}}),
                 block("toText", "gvwrite", {{"variable", "label"}})},
                {wire("in.out", "toInt.in"), wire("in.out", "toBool.in"), wire("in.out", "toText.in")});
    const auto history = _project->globalVariable("n")->historyBuffer();
    const auto writesBefore = history->writeCount();

    set("x", 2.6);
    diagram->runCycle(0.0);
    EXPECT_EQ(get("n"), Variant(3));
    EXPECT_EQ(get("flag"), Variant(true));
    EXPECT_EQ(get("label"), Variant("2.6"));
    diagram->runCycle(0.5);
    diagram->runCycle(1.0);
    EXPECT_EQ(history->writeCount(), writesBefore + 1); // unchanged values are not written again

    set("x", 1e300); // does not fit an int: n keeps its value
    diagram->runCycle(1.5);
    EXPECT_EQ(get("n"), Variant(3));
    EXPECT_EQ(get("label"), Variant("1e+300"));
}

TEST_F(CompiledDiagramTest, DomainBlocks)
{
    const auto diagram =
        compile({block("level", "gvread", {{"variable", "x"}}),
                 block("switch", "threshold", {{"low", "0.2"}, {"high", "0.8"}}),
                 block("x2", "const", {{"value", "3"}}), block("y2", "const", {{"value", "4"}}),
                 block("far", "distance")},
                {wire("level.out", "switch.in"), wire("x2.out", "far.x2"), wire("y2.out", "far.y2")});
    double now = 0.0;
    const auto cycle = [&](double level) {
        set("x", level);
        diagram->runCycle(now += 0.1);
        return diagram->value("switch", "out");
    };
    EXPECT_EQ(cycle(0.5), Variant(false));
    EXPECT_EQ(cycle(0.8), Variant(true));
    EXPECT_EQ(cycle(0.5), Variant(true)); // between the levels it keeps its state
    EXPECT_EQ(cycle(0.2), Variant(false));
    EXPECT_EQ(diagram->value("far", "out"), Variant(5.0));

    EXPECT_NE(compileError({block("s", "threshold", {{"low", "0.9"}, {"high", "0.1"}}, 2)}, {})
                  .find("'low' must not be greater than 'high'"),
              std::string::npos);
}

TEST_F(CompiledDiagramTest, EveryShippedTypeHasAnImplementationWithItsPorts)
{
    for (const auto& type : kirogen::sdf::ActorTypeRegistry::singleton().all()) {
        const auto implementation = kirogen::sdf::ActorFactory::singleton().find(type->id());
        ASSERT_TRUE(implementation) << type->id();
        std::vector<std::string> inputs;
        std::vector<std::string> outputs;
        for (const auto& port : type->ports())
            (port.direction == kirogen::sdf::ActorPort::In ? inputs : outputs).push_back(port.name);
        EXPECT_EQ(inputs, implementation->inputs) << type->id();
        EXPECT_EQ(outputs, implementation->outputs) << type->id();
    }
}

} // namespace

namespace {

TEST(DeviceBlocks, ReadInputsAndCheckPortsAgainstTheDeviceType)
{
    enginetest::loadSystem();
    const auto project = enginetest::project("<variable name=\"hit\" type=\"bool\" value=\"true\"/>", "",
                                             "<device type=\"LUM GmbH Tavik\" name=\"tavik\"/>");
    const auto compile = [&project](std::vector<FunctionBlock> blocks, std::vector<DataLink> links) {
        const FunctionBlockDiagram diagram("d", std::move(blocks), std::move(links));
        auto compiled = std::make_unique<CompiledDiagram>(diagram, project, "robot.tkp2");
        compiled->reset();
        return compiled;
    };

    const auto diagram =
        compile({block("bumper", "devin", {{"device", "tavik"}, {"port", "bumper"}}),
                 block("hit", "gvwrite", {{"variable", "hit"}}), block("speed", "const", {{"value", "0.5"}}),
                 block("drive", "devout", {{"device", "tavik"}, {"port", "speed"}})},
                {wire("bumper.out", "hit.in"), wire("speed.out", "drive.in")});
    diagram->runCycle(0.0); // not connected: the input's declared default, the output is dropped
    EXPECT_EQ(project->globalVariable("hit")->value(), Variant(false));

    const auto error = [&compile](const std::string& type, const std::string& port) {
        try {
            compile({block("io", type, {{"device", "tavik"}, {"port", port}}, 12)}, {});
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("compiled");
    };
    EXPECT_EQ(error("devin", "speed"), "robot.tkp2:12: block \"io\" names no input port of device \"tavik\"");
    EXPECT_EQ(error("devout", "bumper"),
              "robot.tkp2:12: block \"io\" names no output port of device \"tavik\"");
    EXPECT_EQ(error("devin", "warp"), "robot.tkp2:12: block \"io\" names no input port of device \"tavik\"");
}

} // namespace
