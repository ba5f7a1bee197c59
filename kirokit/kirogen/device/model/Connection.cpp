#include <kirogen/device/model/Connection.h>

#include <kiroutil/log/Log.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace kirogen::device::model {

namespace {

int createWakeFd()
{
    const int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
    return fd;
}

} // namespace

Connection::Connection(std::string label) : _label(std::move(label)), _wakeFd(createWakeFd())
{
}

Connection::~Connection()
{
    assert(!_worker.joinable() && "subclass destructor must call stopWorker()");
    ::close(_wakeFd);
}

void Connection::setHandlers(StateHandler stateHandler, InputHandler inputHandler)
{
    std::lock_guard<std::mutex> lock(_mutex);
    assert(!_worker.joinable() && "handlers are set before the first connect");
    _stateHandler = std::move(stateHandler);
    _inputHandler = std::move(inputHandler);
}

void Connection::connect(const std::string& address)
{
    post({RequestKind::Connect, address});
}

void Connection::disconnect()
{
    post({RequestKind::Disconnect, std::string()});
}

void Connection::send(const std::string& port, const std::string& text)
{
    if (_connected)
        write(port, text);
}

void Connection::post(Request request)
{
    std::lock_guard<std::mutex> lock(_mutex);
    _requests.push_back(std::move(request));
    // The worker is started lazily: most devices of a project that is only edited never connect.
    if (!_worker.joinable())
        _worker = std::thread(&Connection::run, this);
    wake();
}

void Connection::stopWorker()
{
    {
        std::lock_guard<std::mutex> lock(_mutex);
        if (!_worker.joinable())
            return;
        assert(_worker.get_id() != std::this_thread::get_id() &&
               "a connection must not be destroyed from its own state handler");
        _requests.push_back({RequestKind::Quit, std::string()});
        wake();
    }
    _worker.join();
}

void Connection::wake()
{
    const std::uint64_t one = 1;
    // The counter cannot overflow in practice; a full counter is still readable, which is all
    // the worker needs.
    [[maybe_unused]] const ssize_t written = ::write(_wakeFd, &one, sizeof one);
}

void Connection::drainWake()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(_wakeFd, &count, sizeof count);
}

bool Connection::requestPending() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return !_requests.empty();
}

bool Connection::abortRequested() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return std::any_of(_requests.begin(), _requests.end(),
                       [](const Request& request) { return request.kind != RequestKind::Connect; });
}

void Connection::deliverInput(const std::string& port, const std::string& text)
{
    if (_inputHandler)
        _inputHandler(port, text);
}

Connection::Request Connection::takeRequest()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(_mutex);
            if (!_requests.empty()) {
                Request request = std::move(_requests.front());
                _requests.pop_front();
                return request;
            }
        }
        pollfd wait{_wakeFd, POLLIN, 0};
        if (::poll(&wait, 1, -1) > 0)
            drainWake();
    }
}

void Connection::run()
{
    for (;;) {
        const Request request = takeRequest();
        switch (request.kind) {
        case RequestKind::Quit:
            return;
        case RequestKind::Disconnect:
            report(false);
            break;
        case RequestKind::Connect: {
            std::string error;
            if (!open(request.address, &error)) {
                kiroutil::Log::singleton().warning(_label + ": could not connect to " + request.address +
                                                   ": " + error);
                report(false);
                break;
            }
            _connected = true;
            kiroutil::Log::singleton().verbose(_label + ": connected to " + request.address);
            report(true);
            if (runConnected())
                return;
            break;
        }
        }
    }
}

bool Connection::runConnected()
{
    bool quit = false;
    for (;;) {
        std::string error;
        // Requests queued meanwhile have already consumed their wake-up.
        if (!requestPending() && !serve(&error)) {
            kiroutil::Log::singleton().warning(_label + ": connection lost: " + error);
            break;
        }
        const Request request = takeRequest();
        if (request.kind == RequestKind::Connect) {
            report(true);
            continue;
        }
        quit = request.kind == RequestKind::Quit;
        break;
    }
    _connected = false;
    close();
    if (!quit)
        report(false);
    return quit;
}

void Connection::report(bool connected)
{
    if (_stateHandler)
        _stateHandler(connected);
}

} // namespace kirogen::device::model
