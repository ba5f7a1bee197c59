#include <kirogen/device/model/DeviceFileConnection.h>
#include <kirogen/device/model/SimulatedConnection.h>
#include <kirogen/device/model/TcpConnection.h>

#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

using namespace kirogen::device::model;
using namespace std::chrono_literals;

namespace {

// Collects what a connection reports, for waits bounded only as a failure guard.
class Reports
{
public:
    void attach(Connection& connection)
    {
        connection.setHandlers(
            [this](bool connected) {
                std::lock_guard<std::mutex> lock(_mutex);
                _states.push_back(connected);
                _changed.notify_all();
            },
            [this](const std::string& port, const std::string& text) {
                std::lock_guard<std::mutex> lock(_mutex);
                _inputs[port] = text;
                _changed.notify_all();
            });
    }

    // The n-th report (from 0), or nothing when it did not come in time.
    std::optional<bool> state(std::size_t n)
    {
        std::unique_lock<std::mutex> lock(_mutex);
        if (!_changed.wait_for(lock, 10s, [&] { return _states.size() > n; }))
            return std::nullopt;
        return _states[n];
    }

    std::string input(const std::string& port)
    {
        std::unique_lock<std::mutex> lock(_mutex);
        _changed.wait_for(lock, 10s, [&] { return _inputs.count(port) > 0; });
        return _inputs.count(port) ? _inputs[port] : std::string("<none>");
    }

private:
    std::mutex _mutex;
    std::condition_variable _changed;
    std::vector<bool> _states;
    std::map<std::string, std::string> _inputs;
};

// The descriptors of this process whose TCP peer is 127.0.0.1:port: the client ends of
// connections to a server of the test, wherever in the process they were opened.
std::vector<int> socketsConnectedTo(int port)
{
    std::vector<int> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int fd = std::stoi(entry.path().filename().string());
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0 &&
            peer.sin_family == AF_INET && ntohs(peer.sin_port) == port &&
            peer.sin_addr.s_addr == htonl(INADDR_LOOPBACK))
            found.push_back(fd);
    }
    return found;
}

} // namespace

TEST(TcpConnection, addressesJoinAndSplit)
{
    EXPECT_EQ(TcpConnection::address("127.0.0.1", "7171"), "127.0.0.1:7171");
    EXPECT_EQ(TcpConnection::address("127.0.0.1:80", "7171"), "127.0.0.1:80");
    EXPECT_EQ(TcpConnection::address("::1", "7171"), "[::1]:7171");

    std::string host, error;
    int port = 0;
    ASSERT_TRUE(TcpConnection::splitAddress("[::1]:7171", &host, &port, &error));
    EXPECT_EQ(host, "::1");
    EXPECT_EQ(port, 7171);
    for (const char* bad :
         {"127.0.0.1", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:12x", ":7171", "::1"})
        EXPECT_FALSE(TcpConnection::splitAddress(bad, &host, &port, &error)) << bad;
}

TEST(TcpConnection, exchangesLinesWithTheDevice)
{
    testsupport::LoopbackServer server;
    TcpConnection connection("test");
    Reports reports;
    reports.attach(connection);
    connection.connect(server.address());
    ASSERT_EQ(reports.state(0), true);
    ASSERT_TRUE(server.accept());

    // Split across packets, with CR LF, an over-long line and a line without "=".
    server.send("dist");
    server.send("ance=1.5\r\n" + std::string(TcpConnection::maxLineLength + 10, 'x') +
                "=1\nnoise\nbumper=true\n");
    EXPECT_EQ(reports.input("distance"), "1.5");
    EXPECT_EQ(reports.input("bumper"), "true");

    connection.send("speed", "0.25\nsteering=9");
    std::string line;
    ASSERT_TRUE(server.readLine(&line));
    EXPECT_EQ(line, "speed=0.25 steering=9");
}

TEST(TcpConnection, outputsBeforeConnectingAreDropped)
{
    testsupport::LoopbackServer server;
    TcpConnection connection("test");
    Reports reports;
    reports.attach(connection);
    connection.send("speed", "1");
    connection.connect(server.address());
    ASSERT_EQ(reports.state(0), true);
    ASSERT_TRUE(server.accept());
    connection.send("speed", "2");
    std::string line;
    ASSERT_TRUE(server.readLine(&line));
    EXPECT_EQ(line, "speed=2");
}

TEST(TcpConnection, sendsEachLineWithoutWaitingForAnAcknowledgement)
{
    testsupport::LoopbackServer server;
    TcpConnection connection("test");
    Reports reports;
    reports.attach(connection);
    connection.connect(server.address());
    ASSERT_EQ(reports.state(0), true);
    ASSERT_TRUE(server.accept());

    const std::vector<int> sockets = socketsConnectedTo(server.port());
    ASSERT_EQ(sockets.size(), 1u);
    int noDelay = 0;
    socklen_t length = sizeof noDelay;
    ASSERT_EQ(::getsockopt(sockets.front(), IPPROTO_TCP, TCP_NODELAY, &noDelay, &length), 0);
    EXPECT_NE(noDelay, 0);
}

TEST(TcpConnection, everyRequestIsAnsweredInOrder)
{
    testsupport::LoopbackServer server;
    TcpConnection connection("test");
    Reports reports;
    reports.attach(connection);
    connection.disconnect();
    EXPECT_EQ(reports.state(0), false);
    connection.connect(server.address());
    ASSERT_EQ(reports.state(1), true);
    connection.connect(server.address());
    EXPECT_EQ(reports.state(2), true);
    connection.disconnect();
    EXPECT_EQ(reports.state(3), false);
    connection.connect("127.0.0.1:" + std::to_string(testsupport::LoopbackServer::refusingPort()));
    EXPECT_EQ(reports.state(4), false);
    EXPECT_FALSE(connection.isConnected());
}

TEST(TcpConnection, unansweredAttemptTimesOut)
{
    testsupport::LoopbackServer server(0);
    server.fillBacklog();
    TcpConnection connection("test", 50ms);
    Reports reports;
    reports.attach(connection);
    connection.connect(server.address());
    EXPECT_EQ(reports.state(0), false);
}

TEST(TcpConnection, disconnectCancelsAPendingAttempt)
{
    testsupport::LoopbackServer server(0);
    server.fillBacklog();
    // Far longer than the wait below: only the cancellation can answer in time.
    TcpConnection connection("test", 1h);
    Reports reports;
    reports.attach(connection);
    connection.connect(server.address());
    connection.disconnect();
    EXPECT_EQ(reports.state(0), false);
    EXPECT_EQ(reports.state(1), false);
}

TEST(DeviceFileConnection, opensAnExistingFileAndRefusesAMissingOne)
{
    DeviceFileConnection connection("test", DeviceFileConnection::Format::Opaque);
    Reports reports;
    reports.attach(connection);
    connection.connect("/nonexistent/js0");
    EXPECT_EQ(reports.state(0), false);
    connection.connect("/dev/null");
    EXPECT_EQ(reports.state(1), true);
    EXPECT_TRUE(connection.isConnected());
    connection.disconnect();
    EXPECT_EQ(reports.state(2), false);
}

TEST(SimulatedConnection, keepsOutputsAndDeliversInjectedInputs)
{
    SimulatedConnection connection("test");
    Reports reports;
    reports.attach(connection);
    connection.connect(std::string());
    ASSERT_EQ(reports.state(0), true);
    connection.send("speed", "0.5");
    EXPECT_EQ(connection.sent("speed"), "0.5");
    connection.inject("distance", "2");
    EXPECT_EQ(reports.input("distance"), "2");
    connection.disconnect();
    EXPECT_EQ(reports.state(1), false);
    connection.send("speed", "0.7");
    EXPECT_EQ(connection.sent("speed"), "0.5");
}
