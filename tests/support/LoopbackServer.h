#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace testsupport {

// A TCP server on 127.0.0.1 that accepts every connection on a thread of its own and holds it
// open until the test closes it, standing in for a device's peer.
class LoopbackServer
{
public:
    LoopbackServer();
    ~LoopbackServer();

    uint16_t port() const { return _port; }
    int acceptedCount() const { return _accepted; }

    // Waits (bounded) until at least count connections were accepted.
    bool waitForConnections(int count, int timeoutMs = 30000) const;

    // Closes every accepted connection, as a device that goes away does.
    void closeConnections();

    // A port on 127.0.0.1 where nothing listens: connecting to it is refused.
    static uint16_t refusingPort();

private:
    void acceptLoop();

    int _listener = -1;
    uint16_t _port = 0;
    std::atomic<int> _accepted{0};
    std::atomic<bool> _stopping{false};
    std::mutex _mutex;
    std::vector<int> _connections;
    std::thread _thread;
};

} // namespace testsupport
