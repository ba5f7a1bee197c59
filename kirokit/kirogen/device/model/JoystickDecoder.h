#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace kirogen::device::model {

// Turns the byte stream of a Linux joystick device file (/dev/input/js*) into port values:
// "axis<N>" from -1 to 1 and "button<N>" true or false. Events may arrive split anywhere.
class JoystickDecoder
{
public:
    using Sink = std::function<void(const std::string& port, const std::string& text)>;

    void feed(const char* data, std::size_t size, const Sink& sink);
    void reset() { _partial.clear(); }

private:
    std::string _partial;
};

} // namespace kirogen::device::model
