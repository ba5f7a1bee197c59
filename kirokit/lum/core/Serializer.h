#pragma once

#include <lum/core/Variant.h>

#include <string>

namespace lum::core::variant {

// Converts between the text of a value and the value, per data-type name ("bool", "int",
// "double", "string").
class Serializer
{
public:
    static Serializer& singleton();

    // The value the text denotes. *ok is false, and the result empty, for text that does not
    // fit the type: out of range, trailing or leading garbage, non-finite numbers, empty
    // numbers, or an unknown type name. Booleans are "true", "false", "1" or "0".
    Variant load(const std::string& text, const std::string& typeName, bool* ok = nullptr) const;

    // The text that load() reads back as the same value.
    std::string save(const Variant& value) const;

    bool knowsType(const std::string& typeName) const;

private:
    Serializer() = default;
};

} // namespace lum::core::variant
