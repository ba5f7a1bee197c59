#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace testsupport {

namespace {

int listenOnLoopback(uint16_t* port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket() failed");
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    *port = ntohs(address.sin_port);
    return fd;
}

} // namespace

LoopbackServer::LoopbackServer() : _listener(listenOnLoopback(&_port)), _thread(&LoopbackServer::acceptLoop, this) {}

LoopbackServer::~LoopbackServer()
{
    _stopping = true;
    _thread.join();
    closeConnections();
    ::close(_listener);
}

bool LoopbackServer::waitForConnections(int count, int timeoutMs) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (_accepted < count) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void LoopbackServer::closeConnections()
{
    std::lock_guard<std::mutex> lock(_mutex);
    for (const int fd : _connections)
        ::close(fd);
    _connections.clear();
}

uint16_t LoopbackServer::refusingPort()
{
    uint16_t port = 0;
    ::close(listenOnLoopback(&port));
    return port;
}

void LoopbackServer::acceptLoop()
{
    while (!_stopping) {
        pollfd waiting = {_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> lock(_mutex);
        _connections.push_back(fd);
        ++_accepted;
    }
}

} // namespace testsupport
