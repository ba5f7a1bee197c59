#include "tavview/AutoStart.h"

#include <LoopbackServer.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/Simulation.h>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using lumlink::project::Manager;

namespace {

// The robot example, its robot listening on the given port.
QString robotProjectOnPort(const QTemporaryDir& dir, quint16 port)
{
    QFile example(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/robot.tkp2"));
    EXPECT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray content = example.readAll();
    content.replace("name=\"port\" value=\"7171\"",
                    "name=\"port\" value=\"" + QByteArray::number(port) + "\"");
    const QString path = dir.filePath(QStringLiteral("robot.tkp2"));
    QFile project(path);
    EXPECT_TRUE(project.open(QIODevice::WriteOnly));
    project.write(content);
    return path;
}

lumlink::project::Project* openProject(const QString& path)
{
    QMap<int, QString> tabs;
    int current = -1;
    return Manager::singleton().createProjectFromFile(QFileInfo(path), &tabs, &current);
}

// Answers every message box from a timer armed before the action, collecting "title: text".
class BoxAnswers
{
public:
    BoxAnswers()
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                _seen << box->windowTitle() + ": " + box->text();
                box->accept();
            }
        });
        _timer.start(20);
    }
    const QStringList& seen() const { return _seen; }

private:
    QTimer _timer;
    QStringList _seen;
};

// A robot whose connect request is never answered, or answered from within the request.
class UnansweringRobot : public kirogen::device::model::DeviceInstance
{
public:
    UnansweringRobot(bool answerAtOnce)
        : DeviceInstance(kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(
                             lumlink::project::Device::RobotTypeId),
                         {}, "silent"),
          _answerAtOnce(answerAtOnce)
    {
    }
    void connect() override
    {
        if (_answerAtOnce)
            notify(kirogen::observer::DataRole::DeviceConnected, this, {});
    }

private:
    bool _answerAtOnce;
};

lumlink::project::Simulation::State simulationState()
{
    return Manager::singleton().activeProject()->simulation()->state();
}

} // namespace

TEST(AutoStart, ADeviceWithoutConnectionCountsAsConnected)
{
    lumlink::project::Project* project = Manager::singleton().createNewProject();
    const auto type =
        kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId("LUM GmbH Generic Device");
    ASSERT_TRUE(type);
    const auto instance = type->createDeviceInstance(project->kirogenProject(), "panel");
    ASSERT_TRUE(instance);
    ASSERT_EQ(instance->connection(), nullptr);
    tavview::AutoStart autoStart(instance, 0);
    EXPECT_TRUE(autoStart.connect());
}

TEST(AutoStart, ARefusingRobotIsNamedOnceAndNothingStarts)
{
    QTemporaryDir dir;
    lumlink::project::Project* project =
        openProject(robotProjectOnPort(dir, quint16(testsupport::LoopbackServer::refusingPort())));
    ASSERT_NE(project, nullptr);

    BoxAnswers boxes;
    EXPECT_FALSE(tavview::autoStartActiveProject());
    EXPECT_EQ(boxes.seen(), QStringList({"Error connecting: Failed to connect to device \"tavik\"."}));
    EXPECT_EQ(simulationState(), lumlink::project::Simulation::Stopped);
}

TEST(AutoStart, AllDevicesConnectedStartsTheProjectAndOneFailureStopsIt)
{
    QTcpServer robot;
    ASSERT_TRUE(robot.listen(QHostAddress::LocalHost));
    QTemporaryDir dir;
    lumlink::project::Project* project = openProject(robotProjectOnPort(dir, robot.serverPort()));
    ASSERT_NE(project, nullptr);
    {
        BoxAnswers boxes;
        EXPECT_TRUE(tavview::autoStartActiveProject());
        EXPECT_TRUE(boxes.seen().isEmpty()) << boxes.seen().join('\n').toStdString();
        EXPECT_NE(simulationState(), lumlink::project::Simulation::Stopped);
        project->simulation()->terminate();
    }

    // The first robot refuses, a second one behind it answers: one warning, the second is
    // still connected, and the project stays stopped.
    project = openProject(robotProjectOnPort(dir, quint16(testsupport::LoopbackServer::refusingPort())));
    ASSERT_NE(project, nullptr);
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(
        lumlink::project::Device::RobotTypeId);
    const auto second = type->createDeviceInstance(project->kirogenProject(), "second");
    ASSERT_TRUE(second);
    ASSERT_TRUE(second->setParameter("port", lum::core::variant::Variant(int(robot.serverPort()))));
    ASSERT_TRUE(project->addDevice(lumlink::project::Device::create(second, project)));
    BoxAnswers boxes;
    EXPECT_FALSE(tavview::autoStartActiveProject());
    EXPECT_EQ(boxes.seen(), QStringList({"Error connecting: Failed to connect to device \"tavik\"."}));
    EXPECT_TRUE(second->isConnected());
    EXPECT_EQ(simulationState(), lumlink::project::Simulation::Stopped);
    second->disconnect();
}

TEST(AutoStart, ARobotThatNeverAnswersFailsOnceTheWaitIsOverAndAnAnswerWithinTheRequestCounts)
{
    auto silent = std::make_shared<UnansweringRobot>(false);
    ASSERT_NE(silent->connection(), nullptr);
    EXPECT_FALSE(tavview::AutoStart(silent, 200).connect());

    auto prompt = std::make_shared<UnansweringRobot>(true);
    EXPECT_TRUE(tavview::AutoStart(prompt, tavview::AutoStart::DefaultTimeoutMs).connect());
}

TEST(AutoStart, AnEmptyProjectIsLeftAlone)
{
    Manager::singleton().createNewProject();
    ASSERT_TRUE(Manager::singleton().activeProject()->isEmpty());
    EXPECT_FALSE(tavview::autoStartActiveProject());
}
