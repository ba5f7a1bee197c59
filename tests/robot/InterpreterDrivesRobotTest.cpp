#include "RobotProcess.h"
#include "RunningProcess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using robottest::RobotProcess;
using testsupport::RunningProcess;

namespace {

constexpr int Timeout = 60000;

// The default room is 4 m by 3 m; the robot starts at (0.5, 1.5) facing +x.
constexpr double RoomWidth = 4;
constexpr double RoomHeight = 3;
constexpr double Radius = 0.1;

struct Position
{
    double x = -1;
    double y = -1;
};

// "... at x 3.900 m, y 1.500 m, heading 0.0°."
Position positionIn(const QString& line)
{
    static const QRegularExpression pattern(QStringLiteral("x (-?[0-9.]+) m, y (-?[0-9.]+) m"));
    const auto match = pattern.match(line);
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

QList<double> valuesOf(const QString& out, const QString& variable)
{
    QList<double> values;
    const QRegularExpression pattern("^## " + variable + ";;(.*) ##$", QRegularExpression::MultilineOption);
    auto it = pattern.globalMatch(out);
    while (it.hasNext())
        values.append(it.next().captured(1).toDouble());
    return values;
}

class InterpreterDrivesRobot : public ::testing::Test
{
protected:
    // The shipped example, on the robot's port.
    QString example(const QString& name, quint16 port)
    {
        QFile source(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/") + name);
        EXPECT_TRUE(source.open(QIODevice::ReadOnly));
        QByteArray text = source.readAll();
        text.replace(R"(<parameter name="port" value="7171"/>)",
                     QStringLiteral(R"(<parameter name="port" value="%1"/>)").arg(port).toUtf8());
        const QString path = _dir.filePath(name);
        QFile copy(path);
        EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(text);
        return path;
    }

    std::unique_ptr<RunningProcess> interpreter(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", _dir.path());
        auto process = std::make_unique<RunningProcess>(
            QStringLiteral(TAVVIEW_INTERPRETER),
            QStringList{"--global-variable-output-interval", "50"} + arguments, environment);
        EXPECT_TRUE(process->started());
        return process;
    }

    QTemporaryDir _dir;
};

TEST_F(InterpreterDrivesRobot, PatrolTurnsBeforeTheWallWithoutTouchingIt)
{
    RobotProcess robot;
    ASSERT_NE(robot.port(), 0) << robot.process().err().toStdString();
    auto run = interpreter({"-f", example("robot.tkp2", robot.port()), "--set", "cruiseSpeed=0.5"});
    ASSERT_TRUE(run->waitForOutput("## driving;;true ##", Timeout)) << run->out().toStdString();
    // Before the far wall it turns, and drives on once the way is clear.
    ASSERT_TRUE(run->waitForOutput("## turning;;true ##", Timeout)) << run->out().toStdString();
    ASSERT_TRUE(run->waitForOutput("## turning;;false ##", Timeout)) << run->out().toStdString();
    run->interrupt();
    ASSERT_TRUE(run->waitForExit(Timeout));
    // Ended by Ctrl+C, as on the robot.
    EXPECT_EQ(run->exitCode(), 1) << run->err().toStdString();
    EXPECT_TRUE(run->out().contains("Disconnecting devices... done."));

    // The distances the program saw came from the robot: the far wall approached from out of
    // range to below the turning distance, and never reached.
    const QList<double> distances = valuesOf(run->out(), "distance");
    ASSERT_FALSE(distances.isEmpty());
    EXPECT_EQ(*std::max_element(distances.begin(), distances.end()), 2);
    EXPECT_LT(*std::min_element(distances.begin(), distances.end()), 0.5);
    EXPECT_GT(*std::min_element(distances.begin(), distances.end()), 0.1);

    const QString stopped = robot.waitForLine("Controller 127.0.0.1:");
    const QString line = robot.waitForLine(stopped.left(stopped.indexOf(" connected")) + " disconnected");
    const Position at = positionIn(line);
    EXPECT_GT(at.x, 2.5) << line.toStdString();
    EXPECT_LE(at.x, RoomWidth - Radius);
    EXPECT_GE(at.y, Radius);
    EXPECT_LE(at.y, RoomHeight - Radius);
    EXPECT_FALSE(robot.process().out().contains("Bumper pressed")) << robot.process().out().toStdString();
}

TEST_F(InterpreterDrivesRobot, BumperStopsTheRobotAtTheWallAndReachesTheProgram)
{
    RobotProcess robot;
    ASSERT_NE(robot.port(), 0) << robot.process().err().toStdString();
    // Never turning before a wall, the robot drives into the far one.
    auto run = interpreter(
        {"-f", example("robot.tkp2", robot.port()), "--set", "cruiseSpeed=0.5", "turnDistance=0"});
    // The output shows each changed variable's value at its tick, so a bump that the program
    // backs out of within one tick may never show as "bumped;;true". What the bump leads to
    // lasts: with turnDistance 0 only the bumper takes the program out of driving, into backing
    // away, which sets turning for a second at least.
    ASSERT_TRUE(run->waitForOutput("## turning;;true ##", Timeout)) << run->out().toStdString();
    const QString pressed = robot.waitForLine("Bumper pressed at ");
    ASSERT_FALSE(pressed.isEmpty()) << robot.process().out().toStdString();
    const Position at = positionIn(pressed);
    // Against the wall at x = 4, and not a hair beyond.
    EXPECT_LE(at.x, RoomWidth - Radius) << pressed.toStdString();
    EXPECT_GE(at.x, RoomWidth - Radius - 0.001) << pressed.toStdString();
    EXPECT_NEAR(at.y, 1.5, 1e-9);

    // The program backs away: the bumper lets go, and the program sees that too. bumped starts
    // false and is written only when it changes, so any line of it is a bump the program saw,
    // and false is its release.
    EXPECT_FALSE(robot.waitForLine("Bumper released.").isEmpty()) << robot.process().out().toStdString();
    EXPECT_TRUE(run->waitForOutput("## bumped;;false ##", Timeout)) << run->out().toStdString();
    // It saw the bump in the cycle that took it into backing away: no later tick than that step.
    const int bumpSeen = run->out().indexOf("## bumped;;");
    EXPECT_GE(bumpSeen, 0);
    EXPECT_LT(bumpSeen, run->out().indexOf("## turning;;true ##")) << run->out().toStdString();
    run->interrupt();
    ASSERT_TRUE(run->waitForExit(Timeout));
    // Ended by Ctrl+C, as on the robot.
    EXPECT_EQ(run->exitCode(), 1) << run->err().toStdString();
    EXPECT_TRUE(run->out().contains("Disconnecting devices... done."));
}

} // namespace
