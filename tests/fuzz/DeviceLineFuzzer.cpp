// What a device sends over its tcp link: "<port>=<value>" lines in whatever pieces the bytes
// arrive (the first byte chooses the cuts), read by the tcp connection's line reader and
// converted to the declared port types by a device instance.
#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <kirogen/device/model/LineReader.h>
#include <kirogen/device/model/SimulatedConnection.h>
#include <lum/core/Serializer.h>
#include <util/XmlSerializer.h>
#include <Chunks.h>
#include <FuzzCheck.h>
#include <FuzzEnvironment.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using kirogen::device::model::DeviceInstance;
using kirogen::device::model::DevicePort;
using kirogen::device::model::LineReader;
using kirogen::device::model::SimulatedConnection;
using Line = std::pair<std::string, std::string>;

// The robot's ports and one of every other data type, on a link kept in memory.
const char deviceXml[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<deviceType xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="device.xsd"
            id="fuzz robot" name="Robot on a simulated link">
  <connection kind="simulated"/>
  <port name="speed" direction="out" type="double"/>
  <port name="distanceFront" direction="in" type="double" default="0"/>
  <port name="bumper" direction="in" type="bool" default="false"/>
  <port name="ticks" direction="in" type="int" default="0"/>
  <port name="status" direction="in" type="string" default=""/>
</deviceType>)";

std::shared_ptr<DeviceInstance> g_device;
SimulatedConnection* g_link = nullptr;

std::vector<Line> readLines(const std::vector<std::string_view>& pieces)
{
    std::vector<Line> lines;
    LineReader reader;
    for (const std::string_view piece : pieces)
        reader.read(piece.data(), piece.size(), [&lines](const std::string& port, const std::string& text) {
            lines.emplace_back(port, text);
        });
    return lines;
}

std::string shown(const lum::core::variant::Variant& value)
{
    return lum::core::variant::Serializer::singleton().save(value);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::application();
    fuzz::loadShippedSystem();
    util::XmlSerializer serializer;
    const util::xml::DocumentPtr document =
        serializer.loadFromMem(deviceXml, sizeof deviceXml - 1, true, "fuzz.xml");
    const auto type = kirogen::device::model::DeviceType::fromXml(document->root(), document->path());
    g_device = type->createDeviceInstance(nullptr, "robot");
    g_link = dynamic_cast<SimulatedConnection*>(g_device->connection());
    FUZZ_CHECK(g_link, "the device has no simulated link");
    g_device->connect();
    QDeadlineTimer deadline(30000);
    while (!g_device->isConnected() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    FUZZ_CHECK(g_device->isConnected(), "the simulated link did not connect");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<Line> lines = readLines(fuzz::chunks(bytes, data[0]));
    FUZZ_CHECK(lines == readLines({bytes}), "the lines depend on how the bytes were cut");

    const auto& serializer = lum::core::variant::Serializer::singleton();
    std::map<std::string, std::string> expected;
    for (const DevicePort& port : g_device->deviceType()->ports()) {
        if (port.direction == DevicePort::Direction::In)
            expected[port.name] = shown(g_device->readInput(port.name));
    }
    for (const auto& [port, text] : lines) {
        FUZZ_CHECK(!port.empty() && port.find('=') == std::string::npos &&
                       port.find('\n') == std::string::npos && text.find('\n') == std::string::npos,
                   "line \"" + port + "=" + text + "\" was cut wrongly");
        FUZZ_CHECK(port.size() + 1 + text.size() <= LineReader::maxLineLength, "an overlong line was read");
        g_link->inject(port, text);
        const DevicePort* declared = g_device->deviceType()->port(port);
        if (!declared || declared->direction != DevicePort::Direction::In)
            continue;
        bool ok = false;
        const auto value = serializer.load(text, declared->typeName, &ok);
        if (ok)
            expected[port] = shown(value);
    }
    for (const auto& [port, value] : expected)
        FUZZ_CHECK(shown(g_device->readInput(port)) == value, "port " + port + " holds \"" +
                                                                  shown(g_device->readInput(port)) +
                                                                  "\", not \"" + value + "\"");
    return 0;
}
