#include "../EngineTestSupport.h"

#include <kirogen/model/DiagramCheck.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using enginetest::block;
using enginetest::wire;
using kirogen::model::DiagramCheck;
using kirogen::model::DiagramProblem;
using kirogen::model::FunctionBlockDiagram;

namespace {

class DiagramCheckTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { enginetest::loadSystem(); }

    DiagramCheckTest()
        : _project(enginetest::project("<variable name=\"x\" type=\"double\" value=\"0\"/>", "",
                                       "<device type=\"LUM GmbH Tavik\" name=\"tavik\"/>"))
    {
    }

    std::string message(const std::optional<DiagramProblem>& problem)
    {
        return problem ? problem->message : std::string("none");
    }

    std::shared_ptr<kirogen::model::Project> _project;
};

TEST_F(DiagramCheckTest, RefusesALinkThatWouldBreakASoundDiagram)
{
    const FunctionBlockDiagram diagram("d",
                                       {block("a", "const", {}, 3), block("b", "const", {}, 4),
                                        block("sum", "add", {}, 5),
                                        block("w", "gvwrite", {{"variable", "x"}}, 6)},
                                       {wire("a.out", "sum.a", 7), wire("sum.out", "w.in", 8)});
    const DiagramCheck check(_project.get());
    ASSERT_FALSE(check.check(diagram)) << message(check.check(diagram));

    EXPECT_FALSE(check.checkLink(diagram, wire("b.out", "sum.b", 9)));

    const auto twice = check.checkLink(diagram, wire("b.out", "sum.a", 9));
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->subject, DiagramProblem::Link);
    EXPECT_EQ(twice->index, 2u);
    EXPECT_EQ(twice->line, 9);
    EXPECT_EQ(twice->message, "input \"sum.a\" has more than one link");

    const auto loop = check.checkLink(diagram, wire("sum.out", "sum.b", 9));
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->subject, DiagramProblem::Block);
    EXPECT_EQ(loop->line, 5);
    EXPECT_EQ(loop->message, "block \"sum\" is part of a cycle without a delay block: sum -> sum");

    EXPECT_EQ(message(check.checkLink(diagram, wire("w.in", "sum.b"))),
              "link from the unknown output port \"w.in\"");
    EXPECT_EQ(message(check.checkLink(diagram, wire("b.out", "nobody.in"))),
              "link to the unknown block \"nobody\"");
}

TEST_F(DiagramCheckTest, NamesTheParameterThatTheTypeDoesNotDeclare)
{
    const FunctionBlockDiagram diagram("d", {block("c", "const"), block("s", "add", {{"gain", "2"}}, 4)}, {});
    const auto problem = DiagramCheck(_project.get()).check(diagram);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->subject, DiagramProblem::Parameter);
    EXPECT_EQ(problem->index, 1u);
    EXPECT_EQ(problem->parameter, "gain");
    EXPECT_EQ(problem->line, 4);
}

TEST_F(DiagramCheckTest, WithoutAProjectNothingCanBeNamed)
{
    const FunctionBlockDiagram diagram("d", {block("r", "gvread", {{"variable", "x"}})}, {});
    EXPECT_FALSE(DiagramCheck(_project.get()).check(diagram));
    EXPECT_EQ(message(DiagramCheck(nullptr).check(diagram)),
              "block \"r\" names no global variable of the project");
}

// The rules come from the types' declarations: block types that a plug-in declares get them
// too, without an implementation and without the check knowing their ids.
TEST_F(DiagramCheckTest, RulesFollowTheDeclarationsOfNewTypes)
{
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath("plugin.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?>\n"
               "<units xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
               "xsi:noNamespaceSchemaLocation=\"units.xsd\">\n"
               "<actor id=\"hold\" category=\"Test\" feedthrough=\"false\">\n"
               "<port name=\"in\" direction=\"in\" type=\"any\"/><port name=\"out\" direction=\"out\" "
               "type=\"any\"/>\n"
               "</actor>\n"
               "<actor id=\"watch\" category=\"Test\">\n"
               "<parameter name=\"target\" type=\"string\" refersTo=\"globalVariable\"/>\n"
               "</actor>\n"
               "<actor id=\"probe\" category=\"Test\">\n"
               "<parameter name=\"robot\" type=\"string\" default=\"tavik\" refersTo=\"device\"/>\n"
               "<parameter name=\"line\" type=\"string\" default=\"bumper\" refersTo=\"deviceInput\"/>\n"
               "</actor>\n"
               "</units>\n");
    file.close();
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(dir.path().toStdString());
    const DiagramCheck check(_project.get());

    // A loop may close through the new block without feedthrough, which then goes first.
    const FunctionBlockDiagram held(
        "d", {block("sum", "add"), block("h", "hold"), block("one", "const")},
        {wire("h.out", "sum.a"), wire("one.out", "sum.b"), wire("sum.out", "h.in")});
    std::vector<std::size_t> order;
    EXPECT_FALSE(check.check(held, &order));
    EXPECT_EQ(order, (std::vector<std::size_t>{1, 2, 0}));
    const FunctionBlockDiagram notHeld("d", {block("sum", "add"), block("h", "not")},
                                       {wire("h.out", "sum.a"), wire("sum.out", "h.in")});
    EXPECT_EQ(message(check.check(notHeld)),
              "block \"sum\" is part of a cycle without a delay block: sum -> h -> sum");

    const auto single = [&check](const kirogen::model::FunctionBlock& only) {
        return check.check(FunctionBlockDiagram("d", {only}, {}));
    };
    EXPECT_FALSE(single(block("w", "watch", {{"target", "x"}})));
    EXPECT_EQ(message(single(block("w", "watch", {{"target", "y"}}))),
              "block \"w\" names no global variable of the project");
    EXPECT_EQ(message(single(block("w", "watch"))), "block \"w\" names no global variable of the project");

    EXPECT_FALSE(single(block("p", "probe")));
    EXPECT_EQ(message(single(block("p", "probe", {{"line", "speed"}}))),
              "block \"p\" names no input port of device \"tavik\"");
    EXPECT_EQ(message(single(block("p", "probe", {{"robot", "rover"}}))),
              "block \"p\" names no device of the project");
}

} // namespace
