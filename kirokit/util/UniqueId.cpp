#include <util/UniqueId.h>

#include <atomic>

namespace util {

UniqueId UniqueId::create()
{
    static std::atomic<std::uint64_t> next{1};
    return UniqueId(next.fetch_add(1, std::memory_order_relaxed));
}

std::string UniqueId::toString() const
{
    return std::to_string(_value);
}

} // namespace util
