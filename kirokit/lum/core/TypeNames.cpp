#include <lum/core/TypeNames.h>

#include <mutex>
#include <set>

namespace lum::core::variant {

const std::string* TypeNames::intern(std::string_view name)
{
    struct Pool
    {
        std::mutex mutex;
        std::set<std::string, std::less<>> names;
    };
    // Never destroyed: values held by other static objects may still ask for their name.
    static Pool* const pool = new Pool();
    std::lock_guard<std::mutex> lock(pool->mutex);
    auto it = pool->names.find(name);
    if (it == pool->names.end())
        it = pool->names.emplace(name).first;
    return &*it;
}

} // namespace lum::core::variant
