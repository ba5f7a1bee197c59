#pragma once

#include <lum/core/Variant.h>

#include <string>

namespace kirogen::model {

// A data type of the model as declared in types.xml.
struct DataType
{
    std::string name;
    std::string text;
    lum::core::variant::Variant defaultValue;
};

} // namespace kirogen::model
