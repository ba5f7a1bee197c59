#pragma once

#include <lum/core/Variant.h>
#include <string>

namespace kirogen::sdf {

// How values of the data flow turn into numbers and into values of a variable's data type.
class ValueConversion
{
public:
    // Empty counts as 0, false as 0 and true as 1, text as 0.
    static double toNumber(const lum::core::variant::Variant& value);

    // The value as a value of the data type typeName, of the same kind as sample (the
    // variable's current value): numbers round to int, become "true" unless 0, or text.
    // *ok is false when the result does not fit the data type (out of range, say).
    static lum::core::variant::Variant convert(const lum::core::variant::Variant& value,
                                               const lum::core::variant::Variant& sample,
                                               const std::string& typeName, bool* ok);

    // Whether an output of the one port type may feed an input of the other: "any" fits all,
    // bool, int and double turn into one another and into text, but text never becomes a
    // number (it would silently count as 0).
    static bool connectable(const std::string& outputType, const std::string& inputType);
};

} // namespace kirogen::sdf
