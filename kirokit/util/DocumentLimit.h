#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstddef>

namespace util {

// The most a project or registry file may hold, as read from disk or inflated: a larger one is
// refused, and never held in memory whole. Real projects stay far below it.
constexpr std::size_t documentLimit = std::size_t(256) * 1024 * 1024;

// Resizes data that is being read, doubling its capacity as needed but never beyond limit + 1
// bytes (the byte that tells a document at the limit from one beyond it).
inline void resizeWithin(QByteArray* data, int size, std::size_t limit)
{
    if (size > data->capacity()) {
        const std::size_t wanted =
            std::max<std::size_t>(2 * std::size_t(data->capacity()), std::size_t(size));
        data->reserve(static_cast<int>(std::min(wanted, limit + 1)));
    }
    data->resize(size);
}

} // namespace util
