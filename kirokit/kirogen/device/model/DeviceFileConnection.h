#pragma once

#include <kirogen/device/model/Connection.h>
#include <kirogen/device/model/JoystickDecoder.h>

namespace kirogen::device::model {

// A device reached through a device file, such as /dev/input/js0 or /dev/video0. Connecting
// opens the file for reading; a file that cannot be opened, or that reports a hang-up or an
// error later (the device was unplugged), ends in a "disconnected" report. Joystick events are
// decoded into input values; other files' data belong to the blocks that read the device.
// Nothing is ever written to the file.
class DeviceFileConnection final : public Connection
{
public:
    enum class Format
    {
        Opaque,
        Joystick
    };

    DeviceFileConnection(std::string label, Format format);
    ~DeviceFileConnection() override;

protected:
    bool open(const std::string& path, std::string* error) override;
    bool serve(std::string* error) override;
    void close() override;
    void write(const std::string& port, const std::string& text) override;

private:
    // False when the link is lost.
    bool readEvents(std::string* error);

    const Format _format;
    JoystickDecoder _decoder;
    int _fd = -1;
    bool _endOfFile = false;
};

} // namespace kirogen::device::model
