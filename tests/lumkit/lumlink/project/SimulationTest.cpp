#include "../KitFixture.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/Simulation.h>
#include <QAction>
#include <QSignalSpy>
#include <QTableWidget>
#include <LoopbackServer.h>

using lumlink::project::Manager;
using lumlink::project::Project;
using lumlink::project::Simulation;

namespace {

// A chart whose diagram counts up a variable and sends it to a simulated device.
const char* const countingProject =
    "<?xml version=\"1.0\"?>\n<project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1\" "
    "xsi:noNamespaceSchemaLocation=\"project.xsd\">\n"
    "<globalVariables><variable name=\"count\" type=\"double\" value=\"0\"/>"
    "<variable name=\"untouched\" type=\"double\" value=\"0\"/></globalVariables>\n"
    "<devices>%1</devices>\n<programs>\n"
    "<sfc name=\"Main\"><step name=\"Count\" initial=\"true\" diagram=\"count\"/></sfc>\n"
    "<sfc name=\"Second\"><step name=\"Idle\" initial=\"true\"/></sfc>\n"
    "<fbd name=\"count\"><block id=\"read\" type=\"gvread\"><parameter name=\"variable\" "
    "value=\"count\"/></block>"
    "<block id=\"one\" type=\"const\"><parameter name=\"type\" value=\"double\"/>"
    "<parameter name=\"value\" value=\"1\"/></block><block id=\"sum\" type=\"add\"/>"
    "<block id=\"write\" type=\"gvwrite\"><parameter name=\"variable\" value=\"count\"/></block>"
    "%2"
    "<link from=\"read\" fromPort=\"out\" to=\"sum\" toPort=\"a\"/>"
    "<link from=\"one\" fromPort=\"out\" to=\"sum\" toPort=\"b\"/>"
    "<link from=\"sum\" fromPort=\"out\" to=\"write\" toPort=\"in\"/>%3</fbd>\n"
    "</programs>\n</project>\n";

struct Enabled
{
    bool startAll, start, suspend, terminate;
    bool operator==(const Enabled& o) const
    {
        return startAll == o.startAll && start == o.start && suspend == o.suspend && terminate == o.terminate;
    }
};

std::ostream& operator<<(std::ostream& out, const Enabled& e)
{
    return out << "{startAll " << e.startAll << ", start " << e.start << ", suspend " << e.suspend
               << ", terminate " << e.terminate << "}";
}

Enabled enabled(const Project* p)
{
    return {p->startAllAction()->isEnabled(), p->startAction()->isEnabled(), p->suspendAction()->isEnabled(),
            p->terminateAction()->isEnabled()};
}

const Enabled stopped{true, true, false, false};
const Enabled running{false, false, true, true};
const Enabled suspended{true, true, false, true};

} // namespace

class SimulationTest : public KitFixture
{
protected:
    Project* projectWith(const QString& devices, const QString& blocks = QString(),
                         const QString& links = QString())
    {
        QFile file(path("run.tkp2"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QString::fromLatin1(countingProject).arg(devices, blocks, links).toUtf8());
        file.close();
        return open(file.fileName());
    }

    static bool waitForState(Project* project, Simulation::State state)
    {
        return waitFor([&] { return project->simulation()->state() == state; }, 20000);
    }

    static double count(Project* project)
    {
        return project->kirogenProject()->globalVariable("count")->value().get<double>();
    }
};

TEST_F(SimulationTest, ActionsFollowStartSuspendResumeAndTerminateWithASimulatedDevice)
{
    Project* project =
        projectWith("<device name=\"sim\" type=\"Test Simulated Robot\"/>",
                    "<block id=\"out\" type=\"devout\"><parameter name=\"device\" value=\"sim\"/>"
                    "<parameter name=\"port\" value=\"speed\"/></block>",
                    "<link from=\"sum\" fromPort=\"out\" to=\"out\" toPort=\"in\"/>");
    ASSERT_NE(project, nullptr);
    Simulation* simulation = project->simulation();
    EXPECT_EQ(enabled(project), stopped);
    // A terminate with nothing running changes nothing.
    simulation->terminate();
    EXPECT_EQ(simulation->state(), Simulation::Stopped);

    QList<Simulation::State> seen;
    QObject::connect(simulation, &Simulation::stateChanged, &_context,
                     [&seen](Simulation::State state) { seen.append(state); });
    QSignalSpy updates(simulation, &Simulation::globalVariablesUpdated);
    project->startAllAction()->trigger();
    EXPECT_EQ(simulation->state(), Simulation::Connecting);
    EXPECT_EQ(enabled(project), (Enabled{false, false, false, true}));
    ASSERT_TRUE(waitForState(project, Simulation::Running));
    EXPECT_EQ(enabled(project), running);
    EXPECT_TRUE(project->devices().first()->deviceInstance()->isConnected());

    // The poll reports the variable the run writes, and only that one.
    ASSERT_TRUE(waitFor([&] { return updates.count() > 0; }));
    EXPECT_EQ(updates.first().first().toStringList(), QStringList{"count"});

    project->suspendAction()->trigger();
    EXPECT_EQ(simulation->state(), Simulation::Suspended);
    EXPECT_EQ(enabled(project), suspended);
    const double atSuspend = count(project);
    processEventsFor(3 * Simulation::PollInterval);
    EXPECT_EQ(count(project), atSuspend);

    project->startAction()->trigger();
    EXPECT_EQ(simulation->state(), Simulation::Running);
    EXPECT_EQ(enabled(project), running);
    EXPECT_TRUE(waitFor([&] { return count(project) > atSuspend; }));

    project->terminateAction()->trigger();
    EXPECT_EQ(simulation->state(), Simulation::Stopped);
    EXPECT_EQ(enabled(project), stopped);
    project->terminateAction()->trigger();
    simulation->terminate();
    EXPECT_EQ(simulation->state(), Simulation::Stopped);
    EXPECT_TRUE(logged("terminated"));
    EXPECT_TRUE(waitFor([&] { return !project->devices().first()->deviceInstance()->isConnected(); }));

    EXPECT_EQ(seen,
              (QList<Simulation::State>{Simulation::Connecting, Simulation::Running, Simulation::Suspended,
                                        Simulation::Running, Simulation::Stopped}));
}

TEST_F(SimulationTest, ADeviceThatCannotConnectKeepsTheRunFromStarting)
{
    const int port = testsupport::LoopbackServer::refusingPort();
    Project* project = projectWith(QStringLiteral("<device name=\"opc\" type=\"LUM GmbH OPC Client\">"
                                                  "<parameter name=\"ipAddress\" value=\"127.0.0.1\"/>"
                                                  "<parameter name=\"port\" value=\"%1\"/></device>")
                                       .arg(port));
    ASSERT_NE(project, nullptr);
    project->on_startAll();
    ASSERT_TRUE(waitForState(project, Simulation::Stopped));
    EXPECT_TRUE(logged("Could not connect to device \"opc\""));
    EXPECT_EQ(enabled(project), stopped);
    EXPECT_EQ(count(project), 0.0);
}

TEST_F(SimulationTest, ATcpDeviceThatConnectsLetsTheMainProgramRunAndItsLossEndsTheRun)
{
    testsupport::LoopbackServer server;
    Project* project = projectWith(QStringLiteral("<device name=\"opc\" type=\"LUM GmbH OPC Client\">"
                                                  "<parameter name=\"ipAddress\" value=\"127.0.0.1\"/>"
                                                  "<parameter name=\"port\" value=\"%1\"/></device>")
                                       .arg(server.port()));
    ASSERT_NE(project, nullptr);
    project->startAction()->trigger();
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(waitForState(project, Simulation::Running));
    server.closeClient();
    ASSERT_TRUE(waitForState(project, Simulation::Stopped));
    EXPECT_TRUE(logged("Device \"opc\" has been disconnected"));
}

TEST_F(SimulationTest, ReplacingOrDroppingTheProjectInAnyStateEndsTheRunCleanly)
{
    const QString device = "<device name=\"sim\" type=\"Test Simulated Robot\"/>";
    for (int state = 0; state < 3; ++state) {
        SCOPED_TRACE(state);
        Project* project = projectWith(device);
        ASSERT_NE(project, nullptr);
        project->on_startAll();
        if (state >= 1) {
            ASSERT_TRUE(waitForState(project, Simulation::Running));
        }
        if (state == 2)
            project->simulation()->suspend();
        QPointer<Project> old(project);
        Manager::singleton().terminateExecutions();
        EXPECT_EQ(project->simulation()->state(), Simulation::Stopped);
        project->on_startAll();
        Project* replacement = Manager::singleton().createNewProject();
        EXPECT_EQ(project->simulation()->state(), Simulation::Stopped);
        EXPECT_NE(replacement, project);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(old.isNull());
        // Device reports still queued for the deleted project are dropped with it.
        processEventsFor(50);
    }
    // A project without any chart says so and stays stopped.
    Project* empty = Manager::singleton().activeProject();
    empty->on_startAll();
    EXPECT_EQ(empty->simulation()->state(), Simulation::Stopped);
    EXPECT_TRUE(logged("no sequence chart"));
}

TEST_F(SimulationTest, TheGlobalVariablesWindowShowsTheValuesOfTheRun)
{
    Project* project = projectWith("<device name=\"sim\" type=\"Test Simulated Robot\"/>");
    ASSERT_NE(project, nullptr);
    lumlink::project::GlobalVariablesWindow* window = project->globalVariablesWindow();
    QTableWidget* table = window->table();
    const int countRow = 0;
    ASSERT_EQ(table->item(countRow, lumlink::project::GlobalVariablesWindow::NameColumn)->text(), "count");
    const auto current = [&](int row) {
        return table->item(row, lumlink::project::GlobalVariablesWindow::CurrentValueColumn)->text();
    };
    EXPECT_TRUE(current(countRow).isEmpty());

    project->startAction()->trigger();
    ASSERT_TRUE(waitForState(project, Simulation::Running));
    EXPECT_TRUE(waitFor([&] { return current(countRow).toDouble() >= 3; }));
    // A variable the run never writes shows no current value.
    EXPECT_TRUE(current(1).isEmpty());
    project->suspendAction()->trigger();
    processEventsFor(2 * Simulation::PollInterval);
    EXPECT_EQ(current(countRow).toDouble(), count(project));
    project->terminateAction()->trigger();
}
