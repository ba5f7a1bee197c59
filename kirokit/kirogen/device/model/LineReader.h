#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace kirogen::device::model {

// Reads the "<port>=<value>" lines a device sends, in whatever pieces its bytes arrive. A CR
// before the line end is dropped; a line without "=" or without a port name is ignored; a line
// longer than maxLineLength is dropped whole instead of growing the buffer without bound.
class LineReader
{
public:
    using LineHandler = std::function<void(const std::string& port, const std::string& text)>;

    static constexpr std::size_t maxLineLength = 4096;

    // Calls the handler for every line the bytes complete.
    void read(const char* data, std::size_t size, const LineHandler& handler);
    // Forgets an unfinished line, as for a new link.
    void clear();

private:
    std::string _line;
    bool _discarding = false;
};

} // namespace kirogen::device::model
