#pragma once

#include <string>

namespace kirogen::sdf {

// A setting of a function block, fixed while a program runs; blocks of a diagram may give
// their own text, otherwise the default text applies.
struct ActorParameter
{
    std::string name;
    std::string typeName;
    std::string defaultText;
};

} // namespace kirogen::sdf
