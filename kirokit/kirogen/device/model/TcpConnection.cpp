#include <kirogen/device/model/TcpConnection.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kirogen::device::model {

namespace {

bool parsePort(const std::string& text, int* port)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *port = std::stoi(text);
    return *port >= 1 && *port <= 65535;
}

// Where the port starts in "host:port" or "[v6]:port"; npos when the text names no port.
std::size_t portSeparator(const std::string& address)
{
    if (!address.empty() && address.front() == '[') {
        const std::size_t close = address.find(']');
        if (close != std::string::npos && close + 1 < address.size() && address[close + 1] == ':')
            return close + 1;
        return std::string::npos;
    }
    const std::size_t colon = address.find(':');
    // A bare IPv6 address has several colons and no port.
    if (colon == std::string::npos || address.find(':', colon + 1) != std::string::npos)
        return std::string::npos;
    return colon;
}

std::string errnoText(int error)
{
    return std::strerror(error);
}

} // namespace

TcpConnection::TcpConnection(std::string label, std::chrono::milliseconds connectTimeout)
    : Connection(std::move(label)), _connectTimeout(connectTimeout)
{
}

TcpConnection::~TcpConnection()
{
    stopWorker();
}

std::string TcpConnection::address(const std::string& host, const std::string& port)
{
    if (portSeparator(host) != std::string::npos)
        return host;
    if (host.find(':') != std::string::npos && (host.empty() || host.front() != '['))
        return "[" + host + "]:" + port;
    return host + ":" + port;
}

bool TcpConnection::splitAddress(const std::string& address, std::string* host, int* port, std::string* error)
{
    const std::size_t separator = portSeparator(address);
    if (separator == std::string::npos || !parsePort(address.substr(separator + 1), port)) {
        *error = "no valid port in \"" + address + "\"";
        return false;
    }
    *host = address.substr(0, separator);
    if (host->size() >= 2 && host->front() == '[' && host->back() == ']')
        *host = host->substr(1, host->size() - 2);
    if (host->empty()) {
        *error = "no host in \"" + address + "\"";
        return false;
    }
    return true;
}

bool TcpConnection::open(const std::string& address, std::string* error)
{
    std::string host;
    int port = 0;
    if (!splitAddress(address, &host, &port, error))
        return false;
    _lines.clear();
    _unsent.clear();
    {
        std::lock_guard<std::mutex> lock(_outboxMutex);
        _outbox.clear();
    }
    return connectTo(host, port, error);
}

bool TcpConnection::connectTo(const std::string& host, int port, std::string* error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* addresses = nullptr;
    const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses);
    if (lookup != 0) {
        *error = std::string("cannot resolve host: ") + ::gai_strerror(lookup);
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + _connectTimeout;
    *error = "no address";
    for (addrinfo* candidate = addresses; candidate; candidate = candidate->ai_next) {
        const int fd = ::socket(candidate->ai_family, candidate->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                candidate->ai_protocol);
        if (fd < 0) {
            *error = errnoText(errno);
            continue;
        }
        // The link carries short lines both ways: each goes out at once rather than waiting
        // for the acknowledgement of the one before (Nagle's algorithm with delayed ACKs).
        const int noDelay = 1;
        if (::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay) < 0) {
            *error = errnoText(errno);
            ::close(fd);
            continue;
        }
        int result = ::connect(fd, candidate->ai_addr, candidate->ai_addrlen);
        if (result < 0 && errno != EINPROGRESS) {
            *error = errnoText(errno);
            ::close(fd);
            continue;
        }
        while (result < 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                *error = "timed out after " + std::to_string(_connectTimeout.count()) + " ms";
                break;
            }
            if (abortRequested()) {
                *error = "cancelled";
                break;
            }
            pollfd waits[2] = {{fd, POLLOUT, 0}, {wakeFd(), POLLIN, 0}};
            if (::poll(waits, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) {
                *error = errnoText(errno);
                break;
            }
            if (waits[1].revents)
                drainWake();
            if (waits[0].revents) {
                int socketError = 0;
                socklen_t length = sizeof socketError;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &socketError, &length);
                if (socketError != 0) {
                    *error = errnoText(socketError);
                    break;
                }
                result = 0;
            }
        }
        if (result == 0) {
            ::freeaddrinfo(addresses);
            _socket = fd;
            return true;
        }
        ::close(fd);
        if (abortRequested())
            break;
    }
    ::freeaddrinfo(addresses);
    return false;
}

bool TcpConnection::serve(std::string* error)
{
    for (;;) {
        pollfd waits[2] = {{_socket, static_cast<short>(POLLIN | (_unsent.empty() ? 0 : POLLOUT)), 0},
                           {wakeFd(), POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            *error = errnoText(errno);
            return false;
        }
        if (waits[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            if (!receive(error))
                return false;
        }
        if (waits[1].revents) {
            drainWake();
            if (requestPending())
                return true;
        }
        if (!flush(error))
            return false;
    }
}

bool TcpConnection::receive(std::string* error)
{
    char buffer[4096];
    const ssize_t count = ::recv(_socket, buffer, sizeof buffer, 0);
    if (count == 0) {
        *error = "closed by the device";
        return false;
    }
    if (count < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return true;
        *error = errnoText(errno);
        return false;
    }
    _lines.read(buffer, static_cast<std::size_t>(count),
                [this](const std::string& port, const std::string& text) { deliverInput(port, text); });
    return true;
}

bool TcpConnection::flush(std::string* error)
{
    if (_unsent.empty()) {
        std::lock_guard<std::mutex> lock(_outboxMutex);
        for (const auto& [port, text] : _outbox)
            _unsent += port + "=" + text + "\n";
        _outbox.clear();
    }
    while (!_unsent.empty()) {
        const ssize_t count = ::send(_socket, _unsent.data(), _unsent.size(), MSG_NOSIGNAL);
        if (count < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return true;
            if (errno == EINTR)
                continue;
            *error = errnoText(errno);
            return false;
        }
        _unsent.erase(0, static_cast<std::size_t>(count));
    }
    return true;
}

void TcpConnection::close()
{
    if (_socket >= 0) {
        ::close(_socket);
        _socket = -1;
    }
}

void TcpConnection::write(const std::string& port, const std::string& text)
{
    // A line break inside a value would end the line early and forge another port's value.
    std::string line = text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    {
        std::lock_guard<std::mutex> lock(_outboxMutex);
        _outbox[port] = std::move(line);
    }
    wake();
}

} // namespace kirogen::device::model
