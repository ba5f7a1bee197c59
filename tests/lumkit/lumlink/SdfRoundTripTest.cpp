#include "RunningProcess.h"
#include "SdfEditorFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <tuple>

using lumlink::project::Project;

namespace {

// Two variables and a main program whose one step runs the still empty diagram "count".
const char* const StartProject = R"(<?xml version="1.0" encoding="UTF-8"?>
<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" xsi:noNamespaceSchemaLocation="project.xsd">
  <globalVariables>
    <variable name="a" type="double" value="0"/>
    <variable name="big" type="bool" value="false"/>
  </globalVariables>
  <devices/>
  <programs>
    <sfc name="Main">
      <step name="Run" initial="true" diagram="count" x="100" y="40"/>
    </sfc>
    <fbd name="count"/>
  </programs>
</project>
)";

} // namespace

// Built with the mouse: a := a + 2.5 every cycle, big := a > 10. Saved, reopened and run by
// the interpreter, it must print a in steps of 2.5 and big turning true once a passed 10.
TEST_F(SdfProjectFixture, aProgramBuiltInTheEditorIsSavedReopenedAndRunByTheInterpreter)
{
    const QString start = dir.filePath("start.tkp2");
    {
        QFile file(start);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(StartProject);
    }
    Project* project = openProject(start);
    ASSERT_NE(project, nullptr);
    auto* view = edit(project, "count");

    const std::pair<const char*, QPointF> blocks[] = {
        {"gvread", {20, 20}},  {"const", {20, 140}}, {"add", {200, 40}},     {"gvwrite", {380, 40}},
        {"const", {200, 200}}, {"gt", {380, 180}},   {"gvwrite", {560, 180}}};
    for (const auto& [type, at] : blocks)
        ASSERT_TRUE(view->placeBlock(type, at)) << type;
    QCoreApplication::processEvents();
    view->centerOn(view->diagramScene()->diagramRect().center());

    ASSERT_TRUE(withParameterDialog(view, "const1", [](lumlink::sdf::ParameterDialog* dialog) {
        typeInto(dialog->field("value"), "2.5");
        clickOk(dialog);
    }));
    ASSERT_TRUE(withParameterDialog(view, "const2", [](lumlink::sdf::ParameterDialog* dialog) {
        typeInto(dialog->field("value"), "10");
        clickOk(dialog);
    }));
    ASSERT_TRUE(withParameterDialog(view, "gvwrite2", [](lumlink::sdf::ParameterDialog* dialog) {
        choose(dialog->field("variable"), "big");
        clickOk(dialog);
    }));

    const std::tuple<const char*, const char*, const char*, const char*> links[] = {
        {"gvread1", "out", "add1", "a"}, {"const1", "out", "add1", "b"}, {"add1", "out", "gvwrite1", "in"},
        {"add1", "out", "gt1", "a"},     {"const2", "out", "gt1", "b"},  {"gt1", "out", "gvwrite2", "in"}};
    for (const auto& [from, fromPort, to, toPort] : links)
        drag(view, item(view, from)->portScenePosition(fromPort), item(view, to)->portScenePosition(toPort));

    const auto built = diagramOf(project, "count");
    ASSERT_EQ(built->blocks().size(), 7u);
    ASSERT_EQ(built->links().size(), 6u);
    EXPECT_EQ(built->block("gvread1")->parameters.at("variable"), "a");
    EXPECT_EQ(built->block("gvwrite1")->parameters.at("variable"), "a");
    EXPECT_EQ(project->undoStack()->count(), 7 + 3 + 6);

    const QString file = dir.filePath("built.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    EXPECT_FALSE(project->isModified());
    Project* reopened = openProject(file);
    ASSERT_NE(reopened, nullptr);
    const auto read = diagramOf(reopened, "count");
    EXPECT_EQ(read->blocks(), built->blocks());
    EXPECT_EQ(read->links(), built->links());

    testsupport::RunningProcess run(QStringLiteral(TAVVIEW_INTERPRETER),
                                    {"--global-variable-output-interval", "100", "-f", file});
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.waitForOutput("## big;;true ##")) << run.out().toStdString() << run.err().toStdString();
    run.interrupt();
    ASSERT_TRUE(run.waitForExit());
    EXPECT_EQ(run.exitCode(), 1);

    static const QRegularExpression line(QStringLiteral("^## (.*);;(.*) ##$"),
                                         QRegularExpression::MultilineOption);
    double previous = 0;
    QString lastA;
    bool bigSeen = false;
    for (auto it = line.globalMatch(run.out()); it.hasNext();) {
        const auto match = it.next();
        const QString name = match.captured(1);
        const QString value = match.captured(2);
        if (name == "a") {
            bool ok = false;
            const double a = value.toDouble(&ok);
            ASSERT_TRUE(ok) << value.toStdString();
            EXPECT_GT(a, previous);
            EXPECT_EQ(std::fmod(a, 2.5), 0.0) << a;
            previous = a;
            lastA = value;
        } else {
            ASSERT_EQ(name, "big");
            // Printed in name order within a tick: a's line of the same tick comes first.
            if (value == "true" && !bigSeen) {
                bigSeen = true;
                EXPECT_GT(lastA.toDouble(), 10) << lastA.toStdString();
            }
        }
    }
    EXPECT_TRUE(bigSeen);
}
