#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace testsupport {

namespace {

int boundSocket(int* port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot bind a loopback socket");
    *port = ntohs(address.sin_port);
    return fd;
}

bool waitReadable(int fd, std::chrono::milliseconds timeout)
{
    pollfd wait{fd, POLLIN, 0};
    return ::poll(&wait, 1, static_cast<int>(timeout.count())) > 0;
}

} // namespace

LoopbackServer::LoopbackServer(int backlog)
{
    _listener = boundSocket(&_port);
    if (::listen(_listener, backlog) != 0)
        throw std::runtime_error("cannot listen on a loopback socket");
}

LoopbackServer::~LoopbackServer()
{
    closeClient();
    if (_queued >= 0)
        ::close(_queued);
    ::close(_listener);
}

bool LoopbackServer::accept(std::chrono::milliseconds timeout)
{
    if (!waitReadable(_listener, timeout))
        return false;
    closeClient();
    _client = ::accept4(_listener, nullptr, nullptr, SOCK_CLOEXEC);
    return _client >= 0;
}

bool LoopbackServer::readLine(std::string* line, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t end = _buffer.find('\n');
        if (end != std::string::npos) {
            *line = _buffer.substr(0, end);
            _buffer.erase(0, end + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (_client < 0 || left.count() <= 0 || !waitReadable(_client, left))
            return false;
        char chunk[1024];
        const ssize_t count = ::recv(_client, chunk, sizeof chunk, 0);
        if (count <= 0)
            return false;
        _buffer.append(chunk, static_cast<std::size_t>(count));
    }
}

bool LoopbackServer::waitForClose(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (_client >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !waitReadable(_client, left))
            return false;
        char chunk[1024];
        const ssize_t count = ::recv(_client, chunk, sizeof chunk, 0);
        if (count <= 0)
            return true;
        _buffer.append(chunk, static_cast<std::size_t>(count));
    }
    return false;
}

void LoopbackServer::send(const std::string& text)
{
    ::send(_client, text.data(), text.size(), MSG_NOSIGNAL);
}

void LoopbackServer::closeClient()
{
    if (_client >= 0) {
        ::close(_client);
        _client = -1;
    }
    _buffer.clear();
}

void LoopbackServer::fillBacklog()
{
    _queued = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(_port));
    if (::connect(_queued, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot queue a loopback client");
}

int LoopbackServer::refusingPort()
{
    int port = 0;
    ::close(boundSocket(&port));
    return port;
}

} // namespace testsupport
