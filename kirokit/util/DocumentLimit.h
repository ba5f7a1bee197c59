#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstddef>

namespace util {

// The most a project or registry file may hold, as read from disk or inflated: a larger one is
// refused, and never held in memory whole. Real projects stay far below it.
constexpr std::size_t documentLimit = std::size_t(256) * 1024 * 1024;

// The most entity references one document may expand, nested ones included; one more is an
// error. The kit's files declare no entities, a hand-made file may use a few. Each expansion
// sets up a reader of some 160 KB, and Xerces's own limit (50000) let a file of 300 bytes ask
// for that many.
constexpr std::size_t entityExpansionLimit = 100;

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
