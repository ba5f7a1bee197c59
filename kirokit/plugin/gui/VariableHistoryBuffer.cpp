#include <plugin/gui/VariableHistoryBuffer.h>

#include <algorithm>

namespace plugin::gui {

using lum::core::variant::Variant;

VariableHistoryBuffer::VariableHistoryBuffer(std::size_t capacity) : _capacity(std::max<std::size_t>(capacity, 1)) {}

void VariableHistoryBuffer::append(const Variant& value)
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (_values.size() == _capacity)
        _values.pop_front();
    _values.push_back(value);
    ++_writeCount;
}

Variant VariableHistoryBuffer::last() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _values.empty() ? Variant() : _values.back();
}

std::vector<Variant> VariableHistoryBuffer::values() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return std::vector<Variant>(_values.begin(), _values.end());
}

std::uint64_t VariableHistoryBuffer::writeCount() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _writeCount;
}

} // namespace plugin::gui
