#include <kirogen/device/model/DeviceFileConnection.h>

#include <fcntl.h>
#include <linux/joystick.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kirogen::device::model {

DeviceFileConnection::DeviceFileConnection(std::string label, Format format)
    : Connection(std::move(label)), _format(format)
{
}

DeviceFileConnection::~DeviceFileConnection()
{
    stopWorker();
}

bool DeviceFileConnection::open(const std::string& path, std::string* error)
{
    if (path.empty()) {
        *error = "no device file given";
        return false;
    }
    // Non-blocking, so that opening a FIFO or a device that is not ready never stalls the worker.
    _fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (_fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    _decoder.reset();
    _endOfFile = false;
    return true;
}

bool DeviceFileConnection::serve(std::string* error)
{
    for (;;) {
        // Asking for no events still reports hang-ups and errors of the file.
        const bool reading = _format == Format::Joystick && !_endOfFile;
        pollfd waits[2] = {{_fd, static_cast<short>(reading ? POLLIN : 0), 0}, {wakeFd(), POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            *error = std::strerror(errno);
            return false;
        }
        if (waits[0].revents & POLLIN) {
            if (!readEvents(error))
                return false;
        } else if (waits[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            *error = "the device file reported a hang-up";
            return false;
        }
        if (waits[1].revents) {
            drainWake();
            if (requestPending())
                return true;
        }
    }
}

bool DeviceFileConnection::readEvents(std::string* error)
{
    char buffer[64 * sizeof(js_event)];
    const ssize_t count = ::read(_fd, buffer, sizeof buffer);
    if (count > 0) {
        _decoder.feed(buffer, static_cast<std::size_t>(count),
                      [this](const std::string& port, const std::string& text) { deliverInput(port, text); });
    } else if (count == 0) {
        // A plain file has nothing more to say; a pipe whose writer left reports a hang-up next.
        _endOfFile = true;
    } else if (errno != EAGAIN && errno != EINTR) {
        *error = std::strerror(errno);
        return false;
    }
    return true;
}

void DeviceFileConnection::close()
{
    if (_fd >= 0) {
        ::close(_fd);
        _fd = -1;
    }
}

void DeviceFileConnection::write(const std::string&, const std::string&)
{
}

} // namespace kirogen::device::model
