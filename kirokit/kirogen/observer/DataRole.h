#pragma once

namespace kirogen::observer {

// The role a notification is tagged with, compared by its number.
class DataRole
{
public:
    enum Value
    {
        DeviceConnected = 5,
        DeviceDisconnected = 6,
        ExecutionSessionAvailable = 49,
        GlobalVariableUpdated = 51,
        LoadingProgress = 55,
    };

    constexpr DataRole(int value = 0) : _value(value) {}

    constexpr int value() const { return _value; }

    constexpr bool operator==(const DataRole& other) const { return _value == other._value; }
    constexpr bool operator!=(const DataRole& other) const { return _value != other._value; }
    constexpr bool operator<(const DataRole& other) const { return _value < other._value; }

private:
    int _value;
};

} // namespace kirogen::observer
