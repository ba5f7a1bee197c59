#pragma once

#include <chrono>
#include <string>

namespace testsupport {

// A TCP server on 127.0.0.1 with a port chosen by the system, driven step by step from the
// test's own thread. The kernel completes a client's handshake before accept(), so a client
// sees its connection succeed while the test decides when to accept, talk or close.
class LoopbackServer
{
public:
    // With a backlog of 0 the kernel queues a single unaccepted client; see fillBacklog().
    explicit LoopbackServer(int backlog = 8);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return _port; }
    std::string address() const { return "127.0.0.1:" + std::to_string(_port); }

    // Each waits at most the time given and returns false when it ran out.
    bool accept(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool readLine(std::string* line, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // True once the client closed its end.
    bool waitForClose(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void send(const std::string& text);
    void closeClient();
    // Queues a client that is never accepted: with a backlog of 0, later clients then get no
    // answer to their connection attempt at all.
    void fillBacklog();

    // A loopback port on which nothing listens: bound once, then released.
    static int refusingPort();

private:
    int _listener = -1;
    int _client = -1;
    int _queued = -1;
    int _port = 0;
    std::string _buffer;
};

} // namespace testsupport
