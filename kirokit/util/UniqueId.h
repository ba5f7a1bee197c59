#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace util {

// An identifier unique within the process; the null id (0) is never handed out.
class UniqueId
{
public:
    UniqueId() = default;

    static UniqueId create();

    bool isNull() const { return _value == 0; }
    std::uint64_t value() const { return _value; }
    std::string toString() const;

    bool operator==(const UniqueId& other) const { return _value == other._value; }
    bool operator!=(const UniqueId& other) const { return _value != other._value; }
    bool operator<(const UniqueId& other) const { return _value < other._value; }

private:
    explicit UniqueId(std::uint64_t value) : _value(value) {}

    std::uint64_t _value = 0;
};

} // namespace util

template <>
struct std::hash<util::UniqueId>
{
    std::size_t operator()(const util::UniqueId& id) const noexcept
    {
        return std::hash<std::uint64_t>()(id.value());
    }
};
