#include "ProjectTestSupport.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <util/XmlError.h>

#include <gtest/gtest.h>

#include <algorithm>

using kirogen::model::Project;

namespace {

// A small sound project; each case replaces one marked part with a faulty one. Line numbers
// below count from the document's first line.
std::string project(const std::string& variables, const std::string& programs, const std::string& tail = "")
{
    return "<?xml version=\"1.0\"?>\n" // 1
           "<project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xsi:noNamespaceSchemaLocation=\"project.xsd\">\n"  // 2
           "<globalVariables>\n"                               // 3
           "<variable name=\"x\" type=\"int\" value=\"1\"/>\n" // 4
           + variables                                         // 5..
           + "</globalVariables>\n<programs>\n" + programs + "</programs>\n" + tail + "</project>\n";
}

const std::string chart = "<sfc name=\"Main\">\n"
                          "<step name=\"A\" initial=\"true\" diagram=\"d\"/>\n"
                          "<step name=\"B\"/>\n"
                          "<transition from=\"A\" to=\"B\" condition=\"x &gt; 2\"/>\n"
                          "</sfc>\n";

std::string diagram(const std::string& blocks, const std::string& links)
{
    return "<fbd name=\"d\">\n"
           "<block id=\"r\" type=\"gvread\"><parameter name=\"variable\" value=\"x\"/></block>\n"
           "<block id=\"w\" type=\"gvwrite\"><parameter name=\"variable\" value=\"x\"/></block>\n" +
           blocks + "<link from=\"r\" fromPort=\"out\" to=\"w\" toPort=\"in\"/>\n" + links + "</fbd>\n";
}

// The base with a robot named tavik: extra devices, content of tavik's element, extra blocks.
std::string withDevices(const std::string& devices, const std::string& tavikContent,
                        const std::string& blocks = "")
{
    std::string text = project("", diagram(blocks, "") + chart);
    text.insert(text.find("<programs>"), "<devices>\n<device type=\"LUM GmbH Tavik\" name=\"tavik\">\n" +
                                             tavikContent + "</device>\n" + devices + "</devices>\n");
    return text;
}

struct BadCase
{
    const char* name;
    std::string text;
    std::string at; // the error's line is the one that holds the last occurrence of this text
    const char* message;
};

int lineOf(const std::string& text, const std::string& part)
{
    const std::size_t position = text.rfind(part);
    EXPECT_NE(position, std::string::npos) << part;
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(position), '\n'));
}

class ProjectErrorTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { projecttest::loadSystem(); }
};

TEST_F(ProjectErrorTest, TheSoundBaseLoads)
{
    const auto loaded = projecttest::fromText(project("", diagram("", "") + chart), "base.tkp2");
    EXPECT_EQ(loaded->sfcModels().front()->transitions().size(), 1u);
}

TEST_F(ProjectErrorTest, VariablesAreInNameOrderWhateverTheirOrderInTheFile)
{
    const auto loaded = projecttest::fromText(
        project("<variable name=\"c\" type=\"int\"/>\n<variable name=\"a\" type=\"int\" value=\"5\"/>\n"
                "<variable name=\"b\" type=\"int\"/>\n",
                diagram("", "") + chart),
        "order.tkp2");
    std::vector<std::string> names;
    for (const auto& entry : loaded->globalVariables())
        names.emplace_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c", "x"}));
    EXPECT_EQ(loaded->globalVariable("a")->initialValue().get<int>(), 5);
}

TEST_F(ProjectErrorTest, BadContentNamesFileLineAndFault)
{
    const std::string plus = "<block id=\"p\" type=\"add\"/>\n";
    const std::string oneStep = "<sfc name=\"Main\">\n<step name=\"A\" initial=\"true\"/>\n";
    const std::vector<BadCase> cases{
        {"unknown data type", project("<variable name=\"y\" type=\"float\"/>\n", chart), "\"y\"",
         "unknown data type \"float\""},
        {"duplicate variable", project("<variable name=\"x\" type=\"bool\"/>\n", chart), "\"x\"",
         "\"x\" is declared twice"},
        {"duplicate variable after the name order broke",
         project("<variable name=\"z\" type=\"int\"/>\n<variable name=\"a\" type=\"int\"/>\n"
                 "<variable name=\"z\" type=\"bool\"/>\n",
                 chart),
         "\"z\"", "\"z\" is declared twice"},
        {"value of the wrong type", project("<variable name=\"y\" type=\"int\" value=\"1.5\"/>\n", chart),
         "\"y\"", "is no int"},
        {"unknown actor type", project("", diagram("<block id=\"q\" type=\"pid\"/>\n", "") + chart), "\"q\"",
         "unknown actor type \"pid\""},
        {"unknown block parameter",
         project(
             "",
             diagram("<block id=\"q\" type=\"add\">\n<parameter name=\"gain\" value=\"1\"/></block>\n", "") +
                 chart),
         "\"gain\"", "no parameter \"gain\""},
        {"link to an unknown block",
         project("",
                 diagram("", "<link from=\"r\" fromPort=\"out\" to=\"nobody\" toPort=\"in\"/>\n") + chart),
         "nobody", "unknown block \"nobody\""},
        {"link to an unknown port",
         project("", diagram(plus, "<link from=\"r\" fromPort=\"out\" to=\"p\" toPort=\"c\"/>\n") + chart),
         "toPort=\"c\"", "unknown input port \"p.c\""},
        {"link from an input",
         project("", diagram(plus, "<link from=\"p\" fromPort=\"a\" to=\"w\" toPort=\"in\"/>\n") + chart),
         "fromPort=\"a\"", "unknown output port \"p.a\""},
        {"input fed twice",
         project("", diagram("", "<link from=\"r\" fromPort=\"out\" to=\"w\" toPort=\"in\"/>\n") + chart),
         "<link", "more than one link"},
        {"duplicate block id", project("", diagram("<block id=\"r\" type=\"add\"/>\n", "") + chart),
         "type=\"add\"", "\"r\" is used twice"},
        {"unknown global variable of a block",
         project(
             "",
             diagram(
                 "<block id=\"q\" type=\"gvread\"><parameter name=\"variable\" value=\"nope\"/></block>\n",
                 "") +
                 chart),
         "\"q\"", "names no global variable"},
        {"cycle without delay",
         project("", diagram("<block id=\"p\" type=\"add\"/>\n<block id=\"q\" type=\"add\"/>\n",
                             "<link from=\"p\" fromPort=\"out\" to=\"q\" toPort=\"a\"/>\n"
                             "<link from=\"q\" fromPort=\"out\" to=\"p\" toPort=\"a\"/>\n") +
                         chart),
         "<block id=\"p\"", "block \"p\" is part of a cycle without a delay block: p -> q -> p"},
        {"transition to an unknown step",
         project("", diagram("", "") + oneStep +
                         "<transition from=\"A\" to=\"C\" condition=\"true\"/>\n</sfc>\n"),
         "<transition", "unknown step \"C\""},
        {"no initial step",
         project("", diagram("", "") + "<sfc name=\"Main\">\n<step name=\"A\"/>\n</sfc>\n"), "<sfc",
         "has no initial step"},
        {"two initial steps",
         project("", diagram("", "") + oneStep + "<step name=\"B\" initial=\"1\"/>\n</sfc>\n"), "\"B\"",
         "more than one initial step"},
        {"duplicate step", project("", diagram("", "") + oneStep + "<step name=\"A\"/>\n</sfc>\n"), "<step",
         "step \"A\" is declared twice"},
        {"step of an unknown diagram",
         project("", "<sfc name=\"Main\">\n<step name=\"A\" initial=\"true\" diagram=\"zz\"/>\n</sfc>\n"),
         "zz", "unknown diagram \"zz\""},
        {"duplicate program",
         project("",
                 diagram("", "") + chart + "<sfc name=\"d\">\n<step name=\"A\" initial=\"true\"/>\n</sfc>\n"),
         "<sfc name=\"d\"", "program \"d\" is declared twice"},
        {"tab of an unknown program",
         project("", diagram("", "") + chart, "<layout>\n<tab program=\"Other\"/>\n</layout>\n"), "Other",
         "unknown program \"Other\""},
        {"unknown device type", withDevices("<device type=\"ACME Rocket\" name=\"r\"/>\n", ""), "ACME",
         "unknown device type \"ACME Rocket\""},
        {"duplicate device", withDevices("<device type=\"LUM GmbH Tavik\" name=\"tavik\"/>\n", ""),
         "name=\"tavik\"", "device \"tavik\" is declared twice"},
        {"bad device parameter", withDevices("", "<parameter name=\"port\" value=\"many\"/>\n"), "many",
         "is no int"},
        {"device block of an unknown device",
         withDevices("", "",
                     "<block id=\"q\" type=\"devin\"><parameter name=\"device\" value=\"rover\"/>"
                     "<parameter name=\"port\" value=\"bumper\"/></block>\n"),
         "rover", "names no device"},
        {"device input from an output port",
         withDevices("", "",
                     "<block id=\"q\" type=\"devin\"><parameter name=\"device\" value=\"tavik\"/>"
                     "<parameter name=\"port\" value=\"speed\"/></block>\n"),
         "\"speed\"", "names no input port of device \"tavik\""},
        {"current tab not open",
         project("", diagram("", "") + chart, "<layout current=\"d\">\n<tab program=\"Main\"/>\n</layout>\n"),
         "<layout", "current tab \"d\" is not open"},
    };

    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            projecttest::fromText(c.text, "bad.tkp2");
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const std::runtime_error& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("bad.tkp2:" + std::to_string(lineOf(c.text, c.at)) + ":", 0), 0u) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << what;
        }
    }
}

TEST_F(ProjectErrorTest, DelayBlockMayCloseACycle)
{
    const std::string blocks = "<block id=\"p\" type=\"add\"/>\n<block id=\"z\" type=\"delay\"/>\n";
    const std::string links = "<link from=\"p\" fromPort=\"out\" to=\"z\" toPort=\"in\"/>\n"
                              "<link from=\"z\" fromPort=\"out\" to=\"p\" toPort=\"a\"/>\n";
    EXPECT_NO_THROW(projecttest::fromText(project("", diagram(blocks, links) + chart), "ok.tkp2"));
}

TEST_F(ProjectErrorTest, ChecksDoNotRelyOnTheSchema)
{
    const std::string noName = project("<variable type=\"int\"/>\n", chart);
    EXPECT_THROW(projecttest::fromText(noName, "bad.tkp2", true), util::XmlError);
    try {
        projecttest::fromText(noName, "bad.tkp2", false);
        ADD_FAILURE() << "accepted a variable without a name";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "bad.tkp2:5: <variable> has no attribute \"name\"");
    }

    EXPECT_THROW(projecttest::fromText("<units/>", "bad.tkp2", false), std::runtime_error);
    EXPECT_THROW(Project::create(nullptr, nullptr, util::XTime()), std::invalid_argument);
    EXPECT_THROW(
        projecttest::fromText(project("<variable name=\"1x\" type=\"int\"/>\n", chart), "bad.tkp2", false),
        std::runtime_error);
    EXPECT_THROW(projecttest::fromText(project("", chart, "<extra/>\n"), "bad.tkp2", false),
                 std::runtime_error);
}

} // namespace

// The chart editor puts each changed chart in place through the editing interface: what the
// engine could not run never reaches the project, and an accepted chart keeps its place.
TEST_F(ProjectErrorTest, AReplacedChartIsCheckedAsTheEngineCompilesIt)
{
    using kirogen::model::SfcModel;
    using kirogen::model::SfcStep;
    using kirogen::model::SfcTransition;
    const std::string second = "<sfc name=\"Other\"><step name=\"S\" initial=\"true\"/></sfc>\n";
    const auto loaded = projecttest::fromText(project("", diagram("", "") + chart + second), "base.tkp2");
    kirogen::model::ProjectEditor editor(loaded);
    const SfcModel original = *loaded->sfcModels().front();
    const auto with = [&original](std::vector<SfcStep> steps, std::vector<SfcTransition> transitions) {
        return std::make_shared<SfcModel>(original.name(), std::move(steps), std::move(transitions));
    };
    std::vector<SfcStep> steps = original.steps();
    std::vector<SfcTransition> transitions = original.transitions();

    std::vector<SfcStep> noInitial = steps;
    noInitial[0].initial = false;
    std::vector<SfcStep> unknownDiagram = steps;
    unknownDiagram[1].diagram = "missing";
    std::vector<SfcTransition> badCondition = transitions;
    badCondition[0].condition = "x >";
    std::vector<SfcTransition> danglingTransition = transitions;
    danglingTransition.push_back(SfcTransition{"B", "C", "true", 0});
    const std::vector<std::pair<std::shared_ptr<SfcModel>, std::string>> refused{
        {with(noInitial, transitions), "no initial step"},
        {with(unknownDiagram, transitions), "unknown diagram 'missing'"},
        {with(steps, badCondition), "column"},
        {with(steps, danglingTransition), "unknown step 'C'"},
        {std::make_shared<SfcModel>("Nowhere", steps, transitions), "no sequence chart \"Nowhere\""},
    };
    for (const auto& [changed, reason] : refused) {
        std::string error;
        EXPECT_FALSE(editor.replaceSfc(changed, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_EQ(loaded->sfcModels().front()->steps(), original.steps());
        EXPECT_EQ(loaded->sfcModels().front()->transitions(), original.transitions());
    }

    steps[1].position = {40, 200};
    transitions[0].condition = "x > 3 || t > 1";
    std::string error;
    ASSERT_TRUE(editor.replaceSfc(with(steps, transitions), &error)) << error;
    ASSERT_EQ(loaded->sfcModels().size(), 2u);
    EXPECT_EQ(loaded->sfcModels().front()->steps(), steps);
    EXPECT_EQ(loaded->sfcModels().front()->transitions(), transitions);
    EXPECT_EQ(loaded->sfcModels().back()->name(), "Other");
}
