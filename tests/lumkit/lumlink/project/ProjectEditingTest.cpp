#include "../KitFixture.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DeviceToolbar.h>
#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QUndoStack>
#include <LoopbackServer.h>
#include <memory>

using lumlink::project::Device;
using lumlink::project::Manager;
using lumlink::project::Project;

namespace {

Device* newDevice(Project* project, const char* typeId, const char* name)
{
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(typeId);
    return type ? Device::create(type->createDeviceInstance(project->kirogenProject(), name), project)
                : nullptr;
}

} // namespace

using ProjectEditingTest = KitFixture;

TEST_F(ProjectEditingTest, EditsThatWouldBreakTheProjectAreRefusedAndLeaveNoStep)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    const std::string before = project->kirogenProject()->toXml();
    QSignalSpy modified(&Manager::singleton(), &Manager::projectWasModified);

    // In use by blocks and conditions, taken, invalid or of the wrong type.
    EXPECT_FALSE(project->removeGlobalVariable("cruiseSpeed"));
    EXPECT_TRUE(logged("block \"speed\""));
    EXPECT_FALSE(project->removeGlobalVariable("bumped"));
    EXPECT_FALSE(project->renameGlobalVariable("distance", "range"));
    EXPECT_FALSE(project->addGlobalVariable("driving", "bool", "true"));
    EXPECT_FALSE(project->addGlobalVariable("2fast", "bool", "true"));
    EXPECT_FALSE(project->addGlobalVariable("fresh", "no such type", "1"));
    EXPECT_FALSE(project->addGlobalVariable("fresh", "int", "one"));
    EXPECT_FALSE(project->setGlobalVariableValue("cruiseSpeed", "fast"));
    EXPECT_FALSE(project->removeDevice(project->device("tavik")));
    EXPECT_TRUE(logged("device \"tavik\" is used by"));
    EXPECT_FALSE(project->addDevice(newDevice(project, "LUM GmbH Tavik", "tavik")));

    EXPECT_EQ(project->undoStack()->count(), 0);
    EXPECT_TRUE(project->undoStack()->isClean());
    EXPECT_FALSE(project->isModified());
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(project->kirogenProject()->toXml(), before);
    EXPECT_EQ(project->devices().size(), 1);
}

TEST_F(ProjectEditingTest, VariablesAndDevicesChangeAndComeBackThroughTheUndoStack)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    const std::string before = project->kirogenProject()->toXml();
    QSignalSpy added(project, &Project::globalVariableAdded);
    QSignalSpy removed(project, &Project::globalVariableRemoved);
    QSignalSpy deviceRemoved(&Manager::singleton(), &Manager::projectDeviceRemoved);

    ASSERT_TRUE(project->addGlobalVariable("limit", "int", "3"));
    ASSERT_TRUE(project->renameGlobalVariable("limit", "maximum"));
    ASSERT_TRUE(project->setGlobalVariableValue("maximum", "7"));
    ASSERT_TRUE(project->setGlobalVariableValue("cruiseSpeed", "0.4"));
    Device* camera = newDevice(project, "LUM GmbH Local Camera", "cam");
    ASSERT_TRUE(project->addDevice(camera));
    EXPECT_EQ(project->devices().last(), camera);
    EXPECT_EQ(added.count(), 2);
    EXPECT_EQ(removed.count(), 1);

    const auto& model = *project->kirogenProject();
    EXPECT_EQ(model.globalVariable("limit"), nullptr);
    EXPECT_EQ(model.globalVariable("maximum")->initialValue().toString(), "7");
    EXPECT_EQ(model.globalVariable("cruiseSpeed")->value().toString(), "0.4");

    // Removing the robot needs its programs gone; the camera is free to go, and the
    // manager's signal comes once the list no longer holds it.
    Device* seen = nullptr;
    QObject context;
    QObject::connect(
        &Manager::singleton(), &Manager::projectDeviceRemoved, &context,
        [&](Device* device, Project* owner) { seen = owner->devices().contains(device) ? nullptr : device; });
    ASSERT_TRUE(project->removeDevice(camera));
    EXPECT_EQ(seen, camera);
    EXPECT_EQ(model.device("cam"), nullptr);
    project->undoAction()->trigger();
    EXPECT_EQ(project->devices().last(), camera);
    EXPECT_EQ(model.device("cam"), camera->deviceInstance());

    while (project->undoStack()->canUndo())
        project->undoAction()->trigger();
    EXPECT_EQ(model.toXml(), before);
    EXPECT_FALSE(project->isModified());
    while (project->undoStack()->canRedo())
        project->redoAction()->trigger();
    // The removal of the camera was undone once and is redone with the rest.
    EXPECT_EQ(model.globalVariable("maximum")->initialValue().toString(), "7");
    EXPECT_EQ(model.device("cam"), nullptr);
    EXPECT_FALSE(project->devices().contains(camera));
}

TEST_F(ProjectEditingTest, OnlyTheRobotHasAToolbarWidgetAndItsLightFollowsTheConnection)
{
    Project* project = Manager::singleton().createNewProject();
    Device* robot = newDevice(project, "LUM GmbH Tavik", "Tavik robot");
    Device* camera = newDevice(project, "LUM GmbH Local Camera", "cam");
    ASSERT_TRUE(project->addDevice(robot));
    ASSERT_TRUE(project->addDevice(camera));
    EXPECT_EQ(camera->widget("toolbar", true), nullptr);
    EXPECT_EQ(robot->widget("window", true), nullptr);

    testsupport::LoopbackServer server;
    ASSERT_TRUE(robot->deviceInstance()->setParameter("port", server.port()));
    std::unique_ptr<QWidget> widget(robot->widget("toolbar", true));
    auto* bar = qobject_cast<lumlink::project::DeviceToolbar*>(widget.get());
    ASSERT_NE(bar, nullptr);
    QStringList texts;
    for (const QLabel* label : bar->findChildren<QLabel*>())
        texts.append(label->text());
    EXPECT_TRUE(texts.join(' ').contains("Tavik robot"));
    EXPECT_TRUE(texts.contains("127.0.0.1"));
    auto* button = bar->findChild<QAbstractButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Connect");
    EXPECT_FALSE(bar->showsConnected());

    button->click();
    ASSERT_TRUE(server.accept());
    EXPECT_TRUE(waitFor([&] { return bar->showsConnected(); }));
    EXPECT_EQ(button->text(), "Disconnect");
    button->click();
    EXPECT_TRUE(waitFor([&] { return !bar->showsConnected(); }));
    EXPECT_EQ(button->text(), "Connect");

    // The bar follows an address changed in the project.
    ASSERT_TRUE(project->setDeviceParameter(robot, "ipAddress", "127.0.0.2"));
    texts.clear();
    for (const QLabel* label : bar->findChildren<QLabel*>())
        texts.append(label->text());
    EXPECT_TRUE(texts.contains("127.0.0.2"));

    // A widget that goes while its device lives on gets no late report.
    robot->deviceInstance()->connect();
    widget.reset();
    processEventsFor(50);
    robot->deviceInstance()->disconnect();
}
