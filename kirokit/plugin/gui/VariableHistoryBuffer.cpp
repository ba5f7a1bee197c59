#include <plugin/gui/VariableHistoryBuffer.h>

#include <algorithm>

namespace plugin::gui {

using lum::core::variant::Variant;

VariableHistoryBuffer::VariableHistoryBuffer(std::size_t capacity)
    : _capacity(std::max<std::size_t>(capacity, 1))
{
}

void VariableHistoryBuffer::append(const Variant& value)
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (_values.size() < _capacity)
        _values.push_back(value);
    else
        _values[_next] = value;
    _next = (_next + 1) % _capacity;
    ++_writeCount;
}

Variant VariableHistoryBuffer::last() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _values.empty() ? Variant() : _values[(_next + _capacity - 1) % _capacity];
}

std::vector<Variant> VariableHistoryBuffer::values() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    if (_values.size() < _capacity)
        return _values;
    std::vector<Variant> ordered(_values.begin() + static_cast<std::ptrdiff_t>(_next), _values.end());
    ordered.insert(ordered.end(), _values.begin(), _values.begin() + static_cast<std::ptrdiff_t>(_next));
    return ordered;
}

std::uint64_t VariableHistoryBuffer::writeCount() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _writeCount;
}

} // namespace plugin::gui
