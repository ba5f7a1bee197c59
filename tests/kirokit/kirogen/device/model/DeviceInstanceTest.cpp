#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/device/model/SimulatedConnection.h>
#include <util/XmlSerializer.h>
#include <util/XmlTextWriter.h>
#include <util/xml/Element.h>

#include "LoopbackServer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

using namespace kirogen::device::model;
using kirogen::observer::DataRole;
using lum::core::variant::Variant;
using namespace std::chrono_literals;

namespace {

struct Event
{
    int role;
    std::thread::id thread;
    kirogen::observer::Observable* source;
};

// Records the device's notifications; waits are bounded only as a guard against a hang.
class Recorder : public kirogen::observer::Observer
{
public:
    void on_notify(const DataRole& role, kirogen::observer::Observable* source, const Variant&) override
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _events.push_back({role.value(), std::this_thread::get_id(), source});
        _changed.notify_all();
    }

    std::optional<Event> event(std::size_t n)
    {
        std::unique_lock<std::mutex> lock(_mutex);
        if (!_changed.wait_for(lock, 10s, [&] { return _events.size() > n; }))
            return std::nullopt;
        return _events[n];
    }

    std::size_t count()
    {
        std::lock_guard<std::mutex> lock(_mutex);
        return _events.size();
    }

private:
    std::mutex _mutex;
    std::condition_variable _changed;
    std::vector<Event> _events;
};

bool eventually(const std::function<bool()>& condition)
{
    for (auto deadline = std::chrono::steady_clock::now() + 10s;
         std::chrono::steady_clock::now() < deadline;) {
        if (condition())
            return true;
        std::this_thread::sleep_for(5ms);
    }
    return condition();
}

class DeviceInstanceTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!registry().all().empty())
            return;
        util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
        registry().loadDeviceTypes(TAVVIEW_DIST_DIR "/devices");
        QTemporaryDir dir;
        std::ofstream(dir.filePath("sim.xml").toStdString()) << R"(<?xml version="1.0"?>
<deviceType xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="device.xsd"
            id="sim" name="Simulated robot">
  <connection kind="simulated"/>
  <port name="speed" direction="out" type="double"/>
  <port name="distance" direction="in" type="double" default="9.5"/>
</deviceType>)";
        registry().loadDeviceTypes(dir.path().toStdString());
    }

    static DeviceTypeRegistry& registry()
    {
        static DeviceTypeRegistry instance;
        return instance;
    }

    static std::shared_ptr<DeviceInstance> create(const char* typeId, const char* name = "device")
    {
        return registry().getByXmlId(typeId)->createDeviceInstance(nullptr, name);
    }

    // A robot aimed at the server, watched by the recorder.
    std::shared_ptr<DeviceInstance> robotFor(int port)
    {
        auto robot = create("LUM GmbH Tavik", "tavik");
        EXPECT_TRUE(robot->setParameter("port", port));
        robot->registerObserver(DataRole::DeviceConnected, &_recorder);
        robot->registerObserver(DataRole::DeviceDisconnected, &_recorder);
        return robot;
    }

    void expectEvent(std::size_t n, int role, const std::shared_ptr<DeviceInstance>& device)
    {
        const std::optional<Event> event = _recorder.event(n);
        ASSERT_TRUE(event) << "no event " << n;
        EXPECT_EQ(event->role, role);
        EXPECT_EQ(event->source, device.get());
        // The outcome comes from the device's own thread, never from inside connect().
        EXPECT_NE(event->thread, std::this_thread::get_id());
    }

    testsupport::LoopbackServer _server;
    Recorder _recorder;
};

} // namespace

TEST_F(DeviceInstanceTest, tcpDeviceConnectsExchangesValuesAndDisconnects)
{
    auto robot = robotFor(_server.port());
    EXPECT_EQ(robot->readInput("distanceFront"), Variant(0.0));
    robot->connect();
    expectEvent(0, DataRole::DeviceConnected, robot);
    EXPECT_TRUE(robot->isConnected());
    ASSERT_TRUE(_server.accept());

    _server.send("distanceFront=1.25\nbumper=1\nbumper=maybe\nspeed=3\n");
    EXPECT_TRUE(eventually([&] { return robot->readInput("bumper") == Variant(true); }));
    EXPECT_EQ(robot->readInput("distanceFront"), Variant(1.25));
    EXPECT_TRUE(robot->readInput("speed").isEmpty()) << "outputs are not inputs";

    EXPECT_FALSE(robot->writeOutput("distanceFront", 1.0));
    EXPECT_FALSE(robot->writeOutput("speed", "fast"));
    EXPECT_TRUE(robot->writeOutput("speed", 1));
    std::string line;
    ASSERT_TRUE(_server.readLine(&line));
    EXPECT_EQ(line, "speed=1");

    robot->disconnect();
    expectEvent(1, DataRole::DeviceDisconnected, robot);
    EXPECT_TRUE(_server.waitForClose());
    EXPECT_FALSE(robot->isConnected());
}

TEST_F(DeviceInstanceTest, refusedConnectionReportsDisconnected)
{
    auto robot = robotFor(testsupport::LoopbackServer::refusingPort());
    robot->connect();
    expectEvent(0, DataRole::DeviceDisconnected, robot);
    EXPECT_FALSE(robot->isConnected());
}

TEST_F(DeviceInstanceTest, deviceClosingTheLinkReportsDisconnected)
{
    auto robot = robotFor(_server.port());
    robot->connect();
    expectEvent(0, DataRole::DeviceConnected, robot);
    ASSERT_TRUE(_server.accept());
    _server.closeClient();
    expectEvent(1, DataRole::DeviceDisconnected, robot);
    EXPECT_FALSE(robot->isConnected());

    // And it can connect again.
    robot->connect();
    expectEvent(2, DataRole::DeviceConnected, robot);
}

TEST_F(DeviceInstanceTest, hostParameterMayNameThePort)
{
    auto robot = robotFor(testsupport::LoopbackServer::refusingPort());
    ASSERT_TRUE(robot->setParameter("ipAddress", _server.address()));
    robot->connect();
    expectEvent(0, DataRole::DeviceConnected, robot);
}

TEST_F(DeviceInstanceTest, destroyingAConnectedDeviceClosesTheLinkQuietly)
{
    auto robot = robotFor(_server.port());
    robot->connect();
    expectEvent(0, DataRole::DeviceConnected, robot);
    ASSERT_TRUE(_server.accept());
    robot.reset();
    EXPECT_TRUE(_server.waitForClose());
    EXPECT_EQ(_recorder.count(), 1u);
}

TEST_F(DeviceInstanceTest, deviceFileOpensOrFails)
{
    auto joystick = create("LUM GmbH Joystick");
    joystick->registerObserver(&_recorder);
    ASSERT_TRUE(joystick->setParameter("name", "/nonexistent/input/js0"));
    joystick->connect();
    expectEvent(0, DataRole::DeviceDisconnected, joystick);

    QTemporaryDir dir;
    const QString path = dir.filePath("js0");
    std::ofstream(path.toStdString()) << "x";
    ASSERT_TRUE(joystick->setParameter("name", path.toStdString()));
    joystick->connect();
    expectEvent(1, DataRole::DeviceConnected, joystick);
    joystick->disconnect();
    expectEvent(2, DataRole::DeviceDisconnected, joystick);
}

TEST_F(DeviceInstanceTest, joystickEventsBecomeInputsUntilTheDeviceGoesAway)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("js0").toStdString();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto joystick = create("LUM GmbH Joystick");
    joystick->registerObserver(&_recorder);
    ASSERT_TRUE(joystick->setParameter("name", path));
    joystick->connect();
    expectEvent(0, DataRole::DeviceConnected, joystick);

    const int writer = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const std::vector<js_event> events = {
        {0, 1, JS_EVENT_BUTTON | JS_EVENT_INIT, 2}, // state at open
        {10, -32768, JS_EVENT_AXIS, 1},
        {20, 16384, JS_EVENT_AXIS, 9}, // not declared: ignored
        {30, 0, JS_EVENT_BUTTON, 2},
        {40, 32767, JS_EVENT_AXIS, 0},
    };
    const char* bytes = reinterpret_cast<const char*>(events.data());
    const std::size_t size = events.size() * sizeof(js_event);
    // Split inside an event, as a read may be.
    ASSERT_EQ(::write(writer, bytes, 13), 13);
    EXPECT_TRUE(eventually([&] { return joystick->readInput("button2") == Variant(true); }));
    ASSERT_EQ(::write(writer, bytes + 13, size - 13), static_cast<ssize_t>(size - 13));
    EXPECT_TRUE(eventually([&] { return joystick->readInput("axis0") == Variant(1.0); }));
    EXPECT_EQ(joystick->readInput("axis1"), Variant(-1.0));
    EXPECT_EQ(joystick->readInput("button2"), Variant(false));
    EXPECT_TRUE(joystick->readInput("axis9").isEmpty());

    // The device went away: the writer's end closed.
    ::close(writer);
    expectEvent(1, DataRole::DeviceDisconnected, joystick);
}

TEST_F(DeviceInstanceTest, simulatedDeviceKeepsItsValuesInMemory)
{
    auto device = create("sim");
    device->registerObserver(&_recorder);
    auto* simulation = dynamic_cast<SimulatedConnection*>(device->connection());
    ASSERT_TRUE(simulation);
    EXPECT_EQ(device->readInput("distance"), Variant(9.5));

    device->connect();
    expectEvent(0, DataRole::DeviceConnected, device);
    simulation->inject("distance", "0.5");
    simulation->inject("distance", "near");
    EXPECT_EQ(device->readInput("distance"), Variant(0.5));
    ASSERT_TRUE(device->writeOutput("speed", 2));
    EXPECT_EQ(simulation->sent("speed"), "2");
    device->disconnect();
    expectEvent(1, DataRole::DeviceDisconnected, device);
}

TEST_F(DeviceInstanceTest, genericDeviceHasNothingToConnect)
{
    auto device = create("LUM GmbH Generic Device");
    EXPECT_EQ(device->connection(), nullptr);
    device->registerObserver(&_recorder);
    device->connect();
    EXPECT_FALSE(device->isConnected());
    EXPECT_EQ(_recorder.count(), 0u);
}

TEST_F(DeviceInstanceTest, parametersAndConfigurationRoundTrip)
{
    auto robot = create("LUM GmbH Tavik", "tavik");
    EXPECT_EQ(robot->parameter("ipAddress"), Variant("127.0.0.1"));
    EXPECT_TRUE(robot->parameter("unknown").isEmpty());
    EXPECT_FALSE(robot->setParameter("unknown", "1"));
    EXPECT_FALSE(robot->setParameter("port", "seventy"));
    EXPECT_FALSE(robot->setParameter("port", Variant()));
    ASSERT_TRUE(robot->setParameter("port", "8080"));
    EXPECT_EQ(robot->parameter("port"), Variant(8080));
    ASSERT_TRUE(robot->setParameter("ipAddress", "127.0.0.1:9000"));
    ASSERT_TRUE(robot->configVariable("disableDriveSystem"));
    EXPECT_FALSE(robot->configVariable("nothing"));
    robot->configVariable("disableDriveSystem")->write(true);

    util::XmlTextWriter written("device");
    robot->saveXml(written);
    const std::string text = written.take();
    EXPECT_NE(text.find(R"(<parameter name="ipAddress" value="127.0.0.1:9000"/>)"), std::string::npos)
        << text;

    util::XmlSerializer serializer;
    const util::xml::DocumentPtr read =
        serializer.loadFromMem(text.data(), text.size(), false, "project.tkp2");
    auto copy = create("LUM GmbH Tavik", "tavik");
    copy->loadXml(read->root());
    EXPECT_EQ(copy->parameter("ipAddress"), Variant("127.0.0.1:9000"));
    EXPECT_EQ(copy->parameter("port"), Variant(8080));
    EXPECT_EQ(copy->configVariable("disableDriveSystem")->value(), Variant(true));
}

TEST_F(DeviceInstanceTest, badDeviceContentNamesTheLineAndChangesNothing)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(<parameter name="colour" value="red"/>)", "has no parameter \"colour\""},
        {R"(<config name="ipAddress" value="x"/>)", "has no config \"ipAddress\""},
        {R"(<parameter name="port" value="99999999999"/>)", "is no int"},
        {R"(<config name="disableDriveSystem" value="yes"/>)", "is no bool"},
        {R"(<parameter name="port" value="1"/><parameter name="port" value="2"/>)", "given twice"},
        {R"(<wheel/>)", "unexpected element <wheel>"},
    };
    util::XmlSerializer serializer;
    for (const auto& [content, message] : cases) {
        SCOPED_TRACE(content);
        const std::string text =
            "<device>\n<parameter name=\"ipAddress\" value=\"127.0.0.2\"/>\n" + content + "\n</device>";
        const util::xml::DocumentPtr document =
            serializer.loadFromMem(text.data(), text.size(), false, "project.tkp2");
        auto robot = create("LUM GmbH Tavik", "tavik");
        try {
            robot->loadXml(document->root());
            ADD_FAILURE() << "accepted";
        } catch (const std::runtime_error& e) {
            const std::string error = e.what();
            EXPECT_NE(error.find("project.tkp2:3:"), std::string::npos) << error;
            EXPECT_NE(error.find(message), std::string::npos) << error;
        }
        EXPECT_EQ(robot->parameter("ipAddress"), Variant("127.0.0.1"));
    }
}
