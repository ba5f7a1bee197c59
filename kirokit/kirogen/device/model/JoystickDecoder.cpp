#include <kirogen/device/model/JoystickDecoder.h>

#include <lum/core/Variant.h>

#include <linux/joystick.h>

#include <algorithm>
#include <cstring>

namespace kirogen::device::model {

void JoystickDecoder::feed(const char* data, std::size_t size, const Sink& sink)
{
    _partial.append(data, size);
    std::size_t offset = 0;
    for (; _partial.size() - offset >= sizeof(js_event); offset += sizeof(js_event)) {
        js_event event;
        std::memcpy(&event, _partial.data() + offset, sizeof event);
        // The driver first reports every axis and button with the init flag: the state at open.
        const int type = event.type & ~JS_EVENT_INIT;
        const std::string number = std::to_string(event.number);
        if (type == JS_EVENT_BUTTON)
            sink("button" + number, event.value ? "true" : "false");
        else if (type == JS_EVENT_AXIS)
            sink("axis" + number,
                 lum::core::variant::Variant(std::clamp(event.value / 32767.0, -1.0, 1.0)).toString());
    }
    _partial.erase(0, offset);
}

} // namespace kirogen::device::model
