// The shipped robot examples, run by the engine cycle by cycle against the simulated robot in
// lockstep: every cycle the program sees the robot's readings of the step before and its
// commands drive the next step, so the run is the same on every machine.

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/device/model/SimulatedConnection.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kirogen/sim/Execution.h>
#include <kirogen/sim/SimulationThread.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <robot/ArenaReader.h>
#include <robot/Robot.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

using kirogen::device::model::SimulatedConnection;
using robot::Pose;
using robot::Robot;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Cycle = Robot::stepSeconds;

// The registries as the interpreter loads them, except that the robot's device type reaches
// its robot in this process instead of over TCP.
void loadSystem()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    static QTemporaryDir devices;
    QFile tcp(TAVVIEW_DIST_DIR "/devices/tavik.xml");
    ASSERT_TRUE(tcp.open(QIODevice::ReadOnly));
    QByteArray type = tcp.readAll();
    const QByteArray link = R"(<connection kind="tcp" host="ipAddress" port="port"/>)";
    ASSERT_TRUE(type.contains(link));
    type.replace(link, R"(<connection kind="simulated"/>)");
    QFile simulated(devices.filePath("tavik.xml"));
    ASSERT_TRUE(simulated.open(QIODevice::WriteOnly));
    simulated.write(type);
    simulated.close();

    util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
    kirogen::model::TypeRegistry::loadTypes(TAVVIEW_DIST_DIR "/config/types.xml");
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(devices.path().toStdString());
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");
}

robot::Arena arena(const char* name)
{
    robot::Arena arena;
    QString error;
    EXPECT_TRUE(robot::ArenaReader(Robot::radius)
                    .read(QStringLiteral(TAVVIEW_DIST_DIR "/arenas/") + name, &arena, &error))
        << error.toStdString();
    return arena;
}

struct Course
{
    double longestPress = 0;      // s, the bumper held without a break
    double travelled = 0;         // m, along the path
    double spanAfterwards = 0;    // m, the diagonal of the box the path filled in its second half
    double farthestFromStart = 0; // m
};

// Runs an example's main program against the robot for seconds of simulated time.
Course drive(const char* example, Robot& robot, double seconds)
{
    const std::string path = TAVVIEW_DIST_DIR "/examples/" + std::string(example);
    const util::xml::DocumentPtr document(util::XmlSerializer().load(path, true));
    const auto project = kirogen::model::Project::create(
        document->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
    const auto device = project->device("tavik");
    auto* link = device ? dynamic_cast<SimulatedConnection*>(device->connection()) : nullptr;
    if (!link) {
        ADD_FAILURE() << example << " has no robot \"tavik\" in this process";
        return {};
    }
    // The connection comes up on its own thread; until then nothing reaches the program.
    device->connect();
    for (int i = 0; i < 30000 && !device->isConnected(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!device->isConnected()) {
        ADD_FAILURE() << "the simulated robot did not connect";
        return {};
    }

    kirogen::sim::SimulationThread program(project, project->sfcModels().front(), util::XTime(Cycle));
    auto& execution = *program.getExecution();
    const Pose start = robot.pose();
    const int steps = static_cast<int>(std::lround(seconds / Cycle));
    Course run;
    double pressed = 0;
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int i = 0; i < steps; ++i) {
        const auto& readings = robot.readings();
        link->inject("distanceFront", std::to_string(readings.front));
        link->inject("distanceLeft", std::to_string(readings.left));
        link->inject("distanceRight", std::to_string(readings.right));
        link->inject("bumper", readings.bumper ? "true" : "false");
        execution.step(util::XTime(i == 0 ? 0 : Cycle));
        if (execution.state() == kirogen::sim::Execution::Terminated) {
            ADD_FAILURE() << example << " failed after " << i << " cycles";
            break;
        }
        const std::string speed = link->sent("speed");
        const std::string steering = link->sent("steering");
        robot.setSpeed(speed.empty() ? 0 : std::stod(speed));
        robot.setSteering(steering.empty() ? 0 : std::stod(steering));

        const Pose before = robot.pose();
        robot.step();
        const Pose& now = robot.pose();
        run.travelled += std::hypot(now.x - before.x, now.y - before.y);
        pressed = robot.readings().bumper ? pressed + Cycle : 0;
        run.longestPress = std::max(run.longestPress, pressed);
        run.farthestFromStart = std::max(run.farthestFromStart, std::hypot(now.x - start.x, now.y - start.y));
        if (i >= steps / 2) {
            minX = std::min(minX, now.x);
            maxX = std::max(maxX, now.x);
            minY = std::min(minY, now.y);
            maxY = std::max(maxY, now.y);
        }
    }
    run.spanAfterwards = std::hypot(maxX - minX, maxY - minY);
    device->disconnect();
    return run;
}

class ExamplesGetFreeOfWalls : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { loadSystem(); }
};

TEST_F(ExamplesGetFreeOfWalls, PatrolKeepsGoingRoundTheRoomPastEveryWallItTouches)
{
    // From the room's start the patrol once ended against the top wall after its second turn,
    // backing into it with its wheels turned towards it, for good.
    Robot fromStart(arena("room.arena"));
    const Course patrol = drive("robot.tkp2", fromStart, 180);
    EXPECT_LT(patrol.longestPress, 1.0);
    EXPECT_GT(patrol.travelled, 30);
    // Still going round the room in the second half, not rocking on one spot.
    EXPECT_GT(patrol.spanAfterwards, 3);

    // Driving along the top wall, heading a little into it: the body grazes it at once.
    Robot grazing(arena("room.arena"));
    ASSERT_TRUE(grazing.place({2.6, 3 - Robot::radius - 0.005, Pi - 0.07}));
    const Course away = drive("robot.tkp2", grazing, 60);
    EXPECT_LT(away.longestPress, 1.0);
    EXPECT_GT(away.spanAfterwards, 2);
    EXPECT_GT(away.farthestFromStart, 1.5);
}

TEST_F(ExamplesGetFreeOfWalls, WallFollowerBacksOffAWallItRunsInto)
{
    // Round the corridor arena lap after lap, never held at a wall.
    Robot corridor(arena("corridor.arena"));
    const Course laps = drive("wallfollow.tkp2", corridor, 180);
    EXPECT_LT(laps.longestPress, 1.0);
    EXPECT_GT(laps.spanAfterwards, 4);

    // From the maze's start it runs into the end of a short wall that its front sensor passes
    // by; heeding no bumper, it stayed pressed against it.
    Robot maze(arena("maze.arena"));
    const Course inMaze = drive("wallfollow.tkp2", maze, 120);
    EXPECT_LT(inMaze.longestPress, 1.0);
    EXPECT_GT(inMaze.travelled, 20);
    // Nor does it rock on one spot at the end of a short wall its front sensor misses.
    EXPECT_GT(inMaze.spanAfterwards, 1);
}

} // namespace
