#pragma once

namespace util {

// A point or span of time in seconds.
class XTime
{
public:
    constexpr XTime() = default;
    constexpr explicit XTime(double seconds) : _seconds(seconds) {}

    constexpr double seconds() const { return _seconds; }

    constexpr XTime operator+(XTime other) const { return XTime(_seconds + other._seconds); }
    constexpr XTime operator-(XTime other) const { return XTime(_seconds - other._seconds); }
    constexpr XTime operator*(double factor) const { return XTime(_seconds * factor); }
    XTime& operator+=(XTime other)
    {
        _seconds += other._seconds;
        return *this;
    }
    XTime& operator-=(XTime other)
    {
        _seconds -= other._seconds;
        return *this;
    }

    constexpr bool operator==(XTime other) const { return _seconds == other._seconds; }
    constexpr bool operator!=(XTime other) const { return _seconds != other._seconds; }
    constexpr bool operator<(XTime other) const { return _seconds < other._seconds; }
    constexpr bool operator<=(XTime other) const { return _seconds <= other._seconds; }
    constexpr bool operator>(XTime other) const { return _seconds > other._seconds; }
    constexpr bool operator>=(XTime other) const { return _seconds >= other._seconds; }

private:
    double _seconds = 0.0;
};

} // namespace util
