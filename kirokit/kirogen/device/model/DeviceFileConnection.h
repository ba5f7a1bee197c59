#pragma once

#include <kirogen/device/model/Connection.h>

namespace kirogen::device::model {

// A device reached through a device file, such as /dev/input/js0 or /dev/video0. Connecting
// opens the file for reading; a file that cannot be opened, or that reports a hang-up or an
// error later (the device was unplugged), ends in a "disconnected" report. The file's data
// belong to the blocks that read the device, so this link carries no port values.
class DeviceFileConnection final : public Connection
{
public:
    explicit DeviceFileConnection(std::string label);
    ~DeviceFileConnection() override;

protected:
    bool open(const std::string& path, std::string* error) override;
    bool serve(std::string* error) override;
    void close() override;
    void write(const std::string& port, const std::string& text) override;

private:
    int _fd = -1;
};

} // namespace kirogen::device::model
