#include "../KitFixture.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/project/Device.h>
#include <QSignalSpy>
#include <QUndoStack>

using lumlink::project::Device;
using lumlink::project::Manager;
using lumlink::project::Project;

namespace {

std::string deviceOfBlock(const Project* project, const std::string& diagram, const std::string& block)
{
    const auto fbd = project->kirogenProject()->diagram(diagram);
    return fbd ? fbd->block(block)->parameters.at("device") : std::string();
}

QStringList programNames(const Project* project)
{
    QStringList names;
    for (const auto& sfc : project->kirogenProject()->sfcModels())
        names.append(QString::fromStdString(sfc->name()));
    for (const auto& entry : project->kirogenProject()->diagrams())
        names.append(QString::fromStdString(entry.first));
    return names;
}

} // namespace

using ImportTest = KitFixture;

TEST_F(ImportTest, ListsProgramsGroupedByChartAndDevicesByType)
{
    Project* project = Manager::singleton().createNewProject();
    QMap<QString, QStringList> programs;
    QMap<QString, QString> devices;
    ASSERT_TRUE(project->getSDFsAndDevs(QFileInfo(patrolProject()), programs, devices));
    EXPECT_EQ(programs, (QMap<QString, QStringList>{{"Patrol", {"stop", "drive"}}}));
    EXPECT_EQ(devices, (QMap<QString, QString>{{"tavik", "LUM GmbH Tavik"}}));

    ASSERT_TRUE(project->getSDFsAndDevs(QFileInfo(example("counter.tkp2")), programs, devices));
    EXPECT_TRUE(devices.isEmpty());
    EXPECT_EQ(programs.value("Main"), QStringList{"count"});

    EXPECT_FALSE(project->getSDFsAndDevs(QFileInfo(path("missing.tkp2")), programs, devices));
    EXPECT_TRUE(logged("missing.tkp2"));
}

TEST_F(ImportTest, WithoutDevicesTheProgramsAndTheirVariablesComeInOneUndoableStep)
{
    Project* project = Manager::singleton().createNewProject();
    ASSERT_TRUE(project->addGlobalVariable("counter", "double", "3"));
    const std::string before = project->kirogenProject()->toXml();
    QSignalSpy added(project, &Project::programAdded);
    ASSERT_TRUE(project->importSDFsIntoProject(QFileInfo(example("counter.tkp2")), {"Main"}, {}));
    EXPECT_EQ(added.count(), 2);
    EXPECT_EQ(programNames(project), (QStringList{"Main", "count"}));
    // The variable the project had keeps its value; the others come with the programs.
    const auto& model = *project->kirogenProject();
    EXPECT_EQ(model.globalVariable("counter")->initialValue().toString(), "3");
    EXPECT_EQ(model.globalVariable("increment")->initialValue().toString(), "1");
    EXPECT_EQ(model.globalVariables().size(), 4u);
    EXPECT_EQ(project->undoStack()->count(), 2);

    // The result saves and reads back.
    const QString file = path("imported.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    project->undoAction()->trigger();
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
    ASSERT_NE(open(file), nullptr);
    EXPECT_EQ(programNames(Manager::singleton().activeProject()), (QStringList{"Main", "count"}));
}

TEST_F(ImportTest, DevicesAreMappedOrCopiedAndNameClashesRenamed)
{
    Project* project = Manager::singleton().createNewProject();
    const auto robotType =
        kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId("LUM GmbH Tavik");
    ASSERT_NE(robotType, nullptr);
    Device* robot =
        Device::create(robotType->createDeviceInstance(project->kirogenProject(), "myRobot"), project);
    ASSERT_TRUE(project->addDevice(robot));
    const QFileInfo robotExample(patrolProject());

    // Unmapped: the robot of the other project is copied under its own name.
    QSignalSpy deviceAdded(&Manager::singleton(), &Manager::projectDeviceAdded);
    ASSERT_TRUE(project->importSDFsIntoProject(robotExample, {"Patrol"}, {}));
    ASSERT_EQ(project->devices().size(), 2);
    EXPECT_EQ(project->devices()[1]->name(), "tavik");
    EXPECT_EQ(deviceAdded.count(), 1);
    EXPECT_EQ(deviceOfBlock(project, "drive", "motor"), "tavik");

    // Again, mapped onto the project's own robot: no device is added, every name is taken.
    ASSERT_TRUE(project->importSDFsIntoProject(robotExample, {"Patrol"}, {{"tavik", "myRobot"}}));
    EXPECT_EQ(project->devices().size(), 2);
    EXPECT_EQ(programNames(project),
              (QStringList{"Patrol", "Patrol_2", "drive", "drive_2", "stop", "stop_2"}));
    EXPECT_EQ(deviceOfBlock(project, "drive_2", "motor"), "myRobot");
    EXPECT_EQ(deviceOfBlock(project, "drive", "motor"), "tavik");
    const auto patrol2 = project->kirogenProject()->sfcModels()[1];
    EXPECT_EQ(patrol2->step("Drive")->diagram, "drive_2");

    // A diagram alone; a third copy of the robot because "tavik" is taken now.
    ASSERT_TRUE(project->importSDFsIntoProject(robotExample, {"stop"}, {}));
    EXPECT_EQ(project->devices().last()->name(), "tavik_2");
    EXPECT_EQ(deviceOfBlock(project, "stop_3", "motor"), "tavik_2");

    // Each import is undone in one step, devices and all.
    QSignalSpy deviceRemoved(&Manager::singleton(), &Manager::projectDeviceRemoved);
    project->undoAction()->trigger();
    project->undoAction()->trigger();
    project->undoAction()->trigger();
    EXPECT_EQ(deviceRemoved.count(), 2);
    EXPECT_EQ(project->devices(), QList<Device*>{robot});
    EXPECT_TRUE(project->kirogenProject()->diagrams().empty());
    EXPECT_TRUE(project->kirogenProject()->globalVariables().empty());
}

TEST_F(ImportTest, AMappingOntoADeviceOfAnotherTypeOrAnUnknownProgramImportsNothing)
{
    Project* project = Manager::singleton().createNewProject();
    const auto cameraType =
        kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId("LUM GmbH Local Camera");
    ASSERT_TRUE(project->addDevice(
        Device::create(cameraType->createDeviceInstance(project->kirogenProject(), "cam"), project)));
    const std::string before = project->kirogenProject()->toXml();
    const int steps = project->undoStack()->count();
    EXPECT_FALSE(project->importSDFsIntoProject(QFileInfo(patrolProject()), {"Patrol"}, {{"tavik", "cam"}}));
    EXPECT_FALSE(project->importSDFsIntoProject(QFileInfo(patrolProject()), {"Nope"}, {}));
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
    EXPECT_EQ(project->undoStack()->count(), steps);
    EXPECT_TRUE(logged("cam"));
}
