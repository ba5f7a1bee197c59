#pragma once

#include <lum/core/Variant.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace plugin::gui {

// The newest values written to a variable, oldest first, shared between the thread that
// writes and the threads that display. Holds at most capacity() values.
class VariableHistoryBuffer
{
public:
    static constexpr std::size_t defaultCapacity = 256;

    explicit VariableHistoryBuffer(std::size_t capacity = defaultCapacity);

    void append(const lum::core::variant::Variant& value);

    // The newest value; empty before the first append.
    lum::core::variant::Variant last() const;
    std::vector<lum::core::variant::Variant> values() const;

    // How many values were ever appended; only grows, so a reader can tell whether anything
    // was written since it last looked.
    std::uint64_t writeCount() const;

    std::size_t capacity() const { return _capacity; }

private:
    const std::size_t _capacity;
    mutable std::mutex _mutex;
    // A ring once full; grows only as values arrive, since most variables of a large project
    // are never written while it is open.
    std::vector<lum::core::variant::Variant> _values;
    std::size_t _next = 0;
    std::uint64_t _writeCount = 0;
};

} // namespace plugin::gui
