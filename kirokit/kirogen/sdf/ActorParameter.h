#pragma once

#include <string>

namespace kirogen::sdf {

// A setting of a function block, fixed while a program runs; blocks of a diagram may give
// their own text, otherwise the default text applies.
struct ActorParameter
{
    // What the text names in the block's project, so that a diagram naming something the
    // project lacks is refused before it runs. A device port is one of the device that the
    // block's Device parameter names.
    enum class Reference
    {
        None,
        GlobalVariable,
        Device,
        DeviceInput,
        DeviceOutput
    };

    std::string name;
    std::string typeName;
    std::string defaultText;
    Reference reference = Reference::None;
};

} // namespace kirogen::sdf
