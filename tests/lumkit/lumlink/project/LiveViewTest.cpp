#include "../KitFixture.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/project/LiveView.h>
#include <lumlink/project/Simulation.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sdf/ValueLabel.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/StepItem.h>
#include <QGraphicsScene>
#include <QSignalSpy>
#include <QTabWidget>

using lum::qt::gui::option::EditorSettings;
using lumlink::project::Project;
using lumlink::project::Simulation;

namespace {

// Counts up while in "Count" and sends the sum to a simulated device; "hold" parks the chart in
// a step that runs no diagram.
const char* const countingProject =
    "<?xml version=\"1.0\"?>\n<project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1\" "
    "xsi:noNamespaceSchemaLocation=\"project.xsd\">\n"
    "<globalVariables><variable name=\"count\" type=\"double\" value=\"0\"/>"
    "<variable name=\"hold\" type=\"bool\" value=\"false\"/></globalVariables>\n"
    "<devices><device name=\"sim\" type=\"Test Simulated Robot\"/></devices>\n<programs>\n"
    "<sfc name=\"Main\"><step name=\"Count\" initial=\"true\" diagram=\"count\" x=\"40\" y=\"40\"/>"
    "<step name=\"Hold\" x=\"40\" y=\"160\"/>"
    "<transition from=\"Count\" to=\"Hold\" condition=\"hold\"/>"
    "<transition from=\"Hold\" to=\"Count\" condition=\"!hold\"/></sfc>\n"
    "<fbd name=\"count\"><block id=\"read\" type=\"gvread\" x=\"20\" y=\"20\"><parameter name=\"variable\" "
    "value=\"count\"/></block>"
    "<block id=\"one\" type=\"const\" x=\"20\" y=\"100\"><parameter name=\"type\" value=\"double\"/>"
    "<parameter name=\"value\" value=\"1\"/></block><block id=\"sum\" type=\"add\" x=\"160\" y=\"40\"/>"
    "<block id=\"write\" type=\"gvwrite\" x=\"300\" y=\"20\"><parameter name=\"variable\" "
    "value=\"count\"/></block>"
    "<block id=\"out\" type=\"devout\" x=\"300\" y=\"100\"><parameter name=\"device\" value=\"sim\"/>"
    "<parameter name=\"port\" value=\"speed\"/></block>"
    "<link from=\"read\" fromPort=\"out\" to=\"sum\" toPort=\"a\"/>"
    "<link from=\"one\" fromPort=\"out\" to=\"sum\" toPort=\"b\"/>"
    "<link from=\"sum\" fromPort=\"out\" to=\"write\" toPort=\"in\"/>"
    "<link from=\"sum\" fromPort=\"out\" to=\"out\" toPort=\"in\"/></fbd>\n"
    "</programs>\n</project>\n";

} // namespace

class LiveViewTest : public KitFixture
{
protected:
    void SetUp() override
    {
        KitFixture::SetUp();
        QFile file(path("live.tkp2"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(countingProject);
        file.close();
        project = open(file.fileName());
        ASSERT_NE(project, nullptr);
        const auto model = project->kirogenProject();
        document = std::make_unique<lumlink::sdf::DiagramDocument>(model, "count", project->undoStack());
        diagram = new lumlink::sdf::SDFView(document.get());
        chartDocument = std::make_unique<lumlink::sfc::ChartDocument>(project, "Main");
        chart = new lumlink::sfc::SFCView(chartDocument.get());
        tabs.addTab(diagram, "count");
        tabs.addTab(chart, "Main");
        tabs.resize(800, 500);
        tabs.show();
        new lumlink::project::LiveView(project->simulation(), &tabs);
        EditorSettings::singleton().setShowValuesWhileSimulating(true);
    }

    void TearDown() override
    {
        EditorSettings::singleton().setShowValuesWhileSimulating(true);
        KitFixture::TearDown();
    }

    QString value(const char* block, const char* port) const
    {
        return diagram->diagramScene()->blockItem(block)->outputValue(port);
    }

    bool stepActive(const std::string& name) const
    {
        for (QGraphicsItem* item : chart->scene()->items()) {
            auto* step = dynamic_cast<lumlink::sfc::StepItem*>(item);
            if (step && step->step().name == name)
                return step->isActive();
        }
        ADD_FAILURE() << "no step " << name;
        return false;
    }

    // Lets the simulation's polls arrive until the condition holds; false if it still does
    // not after many of them.
    bool afterPolls(QSignalSpy& polls, const std::function<bool()>& condition)
    {
        for (int poll = 0; poll < 50 && !condition(); ++poll) {
            if (!polls.wait(10000))
                return false;
        }
        return condition();
    }

    double count() const { return project->kirogenProject()->globalVariable("count")->value().get<double>(); }

    Project* project = nullptr;
    std::unique_ptr<lumlink::sdf::DiagramDocument> document;
    std::unique_ptr<lumlink::sfc::ChartDocument> chartDocument;
    QTabWidget tabs;
    lumlink::sdf::SDFView* diagram = nullptr;
    lumlink::sfc::SFCView* chart = nullptr;
};

TEST_F(LiveViewTest, valuesAndTheActiveStepFollowTheRunAndVanishWhenItEnds)
{
    Simulation* simulation = project->simulation();
    QSignalSpy polls(simulation, &Simulation::runsObserved);
    EXPECT_TRUE(value("one", "out").isEmpty());
    project->startAction()->trigger();

    // The diagram's outputs show their values, inputs and sinks show none.
    ASSERT_TRUE(afterPolls(polls, [&] { return !value("sum", "out").isEmpty(); }));
    EXPECT_EQ(value("one", "out"), "1");
    EXPECT_FALSE(value("read", "out").isEmpty());

    // Suspended, the run stands still: the sum shown is the count the last cycle wrote.
    project->suspendAction()->trigger();
    ASSERT_TRUE(polls.wait(10000));
    EXPECT_EQ(value("sum", "out"), lumlink::sdf::ValueLabel::textOf(count()));
    EXPECT_GT(value("sum", "out").toDouble(), 0);

    // The editor option takes the values away and brings them back at once.
    EditorSettings::singleton().setShowValuesWhileSimulating(false);
    EXPECT_TRUE(value("one", "out").isEmpty());
    ASSERT_TRUE(polls.wait(10000));
    EXPECT_TRUE(value("one", "out").isEmpty());
    EditorSettings::singleton().setShowValuesWhileSimulating(true);
    EXPECT_EQ(value("one", "out"), "1");

    // The chart, once its tab is current, highlights the step the run is in.
    tabs.setCurrentWidget(chart);
    EXPECT_TRUE(stepActive("Count"));
    EXPECT_FALSE(stepActive("Hold"));

    // In a step without a diagram, the diagram shows no values though the run goes on.
    project->startAction()->trigger();
    project->kirogenProject()->globalVariable("hold")->write(true);
    ASSERT_TRUE(afterPolls(polls, [&] { return stepActive("Hold"); }));
    EXPECT_FALSE(stepActive("Count"));
    tabs.setCurrentWidget(diagram);
    EXPECT_TRUE(value("one", "out").isEmpty());
    project->kirogenProject()->globalVariable("hold")->write(false);
    ASSERT_TRUE(afterPolls(polls, [&] { return value("one", "out") == "1"; }));

    // The run ends: every editor is cleared, also the one in a tab not shown.
    project->terminateAction()->trigger();
    EXPECT_EQ(simulation->state(), Simulation::Stopped);
    EXPECT_TRUE(value("one", "out").isEmpty());
    EXPECT_TRUE(value("sum", "out").isEmpty());
    EXPECT_FALSE(stepActive("Count"));
    EXPECT_FALSE(stepActive("Hold"));
    tabs.setCurrentWidget(chart);
    EXPECT_FALSE(stepActive("Count"));
}
