#pragma once

#include <string>
#include <string_view>

namespace lum::core::variant {

// The names of data types. A project has a handful of them for thousands of values and
// variables, so these hold a pointer to one stored copy of their name instead of a string each.
class TypeNames
{
public:
    // The stored copy of the name, the same one for every equal name; valid until the
    // program ends, static destruction included.
    static const std::string* intern(std::string_view name);
};

} // namespace lum::core::variant
