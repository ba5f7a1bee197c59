#pragma once

#include <kirogen/device/model/Connection.h>

#include <map>
#include <mutex>
#include <string>

namespace kirogen::device::model {

// An in-process stand-in for a device, for the workbench's simulation and for tests. It
// connects from its worker thread like a real link; outputs sent to it are kept in memory,
// and inputs are whatever its driver injects.
class SimulatedConnection final : public Connection
{
public:
    explicit SimulatedConnection(std::string label);
    ~SimulatedConnection() override;

    // The device "sends" a value for one of its inputs; delivered as a real device's would be.
    void inject(const std::string& port, const std::string& text);
    // The text last sent to an output port; empty when none was.
    std::string sent(const std::string& port) const;

protected:
    bool open(const std::string& address, std::string* error) override;
    bool serve(std::string* error) override;
    void close() override;
    void write(const std::string& port, const std::string& text) override;

private:
    mutable std::mutex _mutex;
    std::map<std::string, std::string> _sent;
};

} // namespace kirogen::device::model
