#include <kirogen/device/model/SimulatedConnection.h>

#include <poll.h>

namespace kirogen::device::model {

SimulatedConnection::SimulatedConnection(std::string label) : Connection(std::move(label))
{
}

SimulatedConnection::~SimulatedConnection()
{
    stopWorker();
}

void SimulatedConnection::inject(const std::string& port, const std::string& text)
{
    if (isConnected())
        deliverInput(port, text);
}

std::string SimulatedConnection::sent(const std::string& port) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto entry = _sent.find(port);
    return entry == _sent.end() ? std::string() : entry->second;
}

bool SimulatedConnection::open(const std::string&, std::string*)
{
    return true;
}

bool SimulatedConnection::serve(std::string*)
{
    for (;;) {
        pollfd wait{wakeFd(), POLLIN, 0};
        if (::poll(&wait, 1, -1) > 0) {
            drainWake();
            if (requestPending())
                return true;
        }
    }
}

void SimulatedConnection::close()
{
}

void SimulatedConnection::write(const std::string& port, const std::string& text)
{
    std::lock_guard<std::mutex> lock(_mutex);
    _sent[port] = text;
}

} // namespace kirogen::device::model
