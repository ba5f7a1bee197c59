#include "ProcessResult.h"
#include "RobotProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using robottest::Controller;
using robottest::RobotProcess;

namespace {

const QString Robot = QStringLiteral(TAVVIEW_ROBOT);

TEST(RobotProgram, MalformedArenaEndsWithItsMessageAndStatus)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.arena");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("name Bad\nwall 0 0 4 0 4 3\nstart 1 1.5 north\n");
    file.close();

    const auto bad = testsupport::runProcess(Robot, {"--headless", "--port", "0", "--arena", path});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, path + ":3: \"north\" is not a number\n");
    EXPECT_FALSE(bad.out.contains("Listening"));

    const auto missing =
        testsupport::runProcess(Robot, {"--headless", "--port", "0", "--arena", dir.filePath("none.arena")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.startsWith(dir.filePath("none.arena") + ": cannot be read"))
        << missing.err.toStdString();

    const auto port = testsupport::runProcess(Robot, {"--headless", "--port", "seventy"});
    EXPECT_EQ(port.exitCode, 1);
    EXPECT_EQ(port.err, "Not a port: seventy\n");
}

TEST(RobotProgram, SendsItsReadingsAndRefusesASecondController)
{
    RobotProcess robot;
    ASSERT_NE(robot.port(), 0) << robot.process().err().toStdString();
    Controller first;
    ASSERT_TRUE(first.connectTo(robot.port()));
    ASSERT_TRUE(first.readRounds(1));
    // The default room: 4 m by 3 m, the robot at (0.5, 1.5) facing the far wall.
    EXPECT_EQ(first.values["distanceLeft"], "1.400");
    EXPECT_EQ(first.values["distanceRight"], "1.400");
    EXPECT_EQ(first.values["distanceFront"], "2.000");
    EXPECT_EQ(first.values["bumper"], "false");
    EXPECT_FALSE(robot.waitForLine("Controller 127.0.0.1:").isEmpty());

    Controller second;
    ASSERT_TRUE(second.connectTo(robot.port()));
    EXPECT_TRUE(second.waitForClose());
    EXPECT_EQ(second.socket.bytesAvailable(), 0);
    const QString refused = robot.waitForLine("Controller 127.0.0.1:" + QString::number(second.localPort));
    EXPECT_TRUE(refused.endsWith("refused: another controller is driving.")) << refused.toStdString();

    // The first one still drives: nothing read but its own commands, lines split anywhere.
    first.send("spe");
    first.send("ed=0.5\r\nsteering=oops\nbumper=true\n");
    ASSERT_TRUE(first.readUntilChanged("distanceFront", 0.05));
    EXPECT_EQ(first.values["distanceLeft"], "1.400");
    EXPECT_EQ(first.values["bumper"], "false");
}

TEST(RobotProgram, AControllerThatGoesAwayLeavesTheRobotStopped)
{
    RobotProcess robot;
    ASSERT_NE(robot.port(), 0) << robot.process().err().toStdString();
    Controller driver;
    ASSERT_TRUE(driver.connectTo(robot.port()));
    ASSERT_TRUE(driver.readRounds(1));
    driver.send("speed=0.5\nsteering=10\n");
    ASSERT_TRUE(driver.readUntilChanged("distanceRight", 0.1));
    driver.close();
    const QString stopped =
        robot.waitForLine("Controller 127.0.0.1:" + QString::number(driver.localPort) + " disconnected");
    ASSERT_TRUE(stopped.contains(" disconnected: the robot stopped at x ")) << stopped.toStdString();
    const QString pose = stopped.mid(stopped.indexOf(" at x ") + 4);

    // Several full rounds of readings later it has not moved: same readings, same pose.
    Controller watcher;
    ASSERT_TRUE(watcher.connectTo(robot.port()));
    ASSERT_TRUE(watcher.readRounds(1));
    const auto first = watcher.values;
    ASSERT_TRUE(watcher.readRounds(5));
    EXPECT_EQ(watcher.values, first);
    watcher.close();
    const QString again =
        robot.waitForLine("Controller 127.0.0.1:" + QString::number(watcher.localPort) + " disconnected");
    EXPECT_EQ(again.mid(again.indexOf(" at x ") + 4), pose);
}

} // namespace
