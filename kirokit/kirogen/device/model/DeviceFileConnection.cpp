#include <kirogen/device/model/DeviceFileConnection.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kirogen::device::model {

DeviceFileConnection::DeviceFileConnection(std::string label) : Connection(std::move(label)) {}

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
    return true;
}

bool DeviceFileConnection::serve(std::string* error)
{
    for (;;) {
        // Asking for no events still reports hang-ups and errors of the file.
        pollfd waits[2] = {{_fd, 0, 0}, {wakeFd(), POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            *error = std::strerror(errno);
            return false;
        }
        if (waits[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
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

void DeviceFileConnection::close()
{
    if (_fd >= 0) {
        ::close(_fd);
        _fd = -1;
    }
}

void DeviceFileConnection::write(const std::string&, const std::string&) {}

} // namespace kirogen::device::model
