#include "tavview/AutoStart.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
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
    // A port that was free a moment ago: nothing listens there.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    QTemporaryDir dir;
    lumlink::project::Project* project = openProject(robotProjectOnPort(dir, port));
    ASSERT_NE(project, nullptr);

    QStringList warnings;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            warnings << box->windowTitle() + ": " + box->text();
            box->accept();
        }
    });
    answer.start(20);
    EXPECT_FALSE(tavview::autoStartActiveProject());
    EXPECT_EQ(warnings, QStringList({"Error connecting: Failed to connect to device \"tavik\"."}));
}

TEST(AutoStart, AnEmptyProjectIsLeftAlone)
{
    Manager::singleton().createNewProject();
    ASSERT_TRUE(Manager::singleton().activeProject()->isEmpty());
    EXPECT_FALSE(tavview::autoStartActiveProject());
}
