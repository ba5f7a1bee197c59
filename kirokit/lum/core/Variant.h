#pragma once

#include <lum/core/TypeNames.h>

#include <any>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace lum::core::variant {

// A value of any model type: empty, bool, int, double, text, or an opaque payload such as
// a shared pointer carried by a notification. It remembers the name of its data type.
class Variant
{
public:
    Variant() = default;
    Variant(bool value) : _value(value), _typeName(builtInTypeName(BuiltIn::Bool)) {}
    Variant(int value) : _value(value), _typeName(builtInTypeName(BuiltIn::Int)) {}
    Variant(double value) : _value(value), _typeName(builtInTypeName(BuiltIn::Double)) {}
    Variant(std::string value) : _value(std::move(value)), _typeName(builtInTypeName(BuiltIn::String)) {}
    Variant(const char* value) : Variant(std::string(value)) {}

    // A value whose data type has another name than its C++ type ("uint8" stored as int).
    template <typename T>
    static Variant typed(T value, std::string_view typeName)
    {
        Variant variant(std::move(value));
        variant._typeName = typeName.empty() ? nullptr : TypeNames::intern(typeName);
        return variant;
    }

    // Any C++ value, reached again through get<T>(). Values of the kinds above are held as
    // such, exactly as if constructed directly, so that get and toString see them.
    template <typename T>
    static Variant fromValue(T value)
    {
        if constexpr (isDirect<T>() || std::is_same_v<T, const char*>) {
            return Variant(std::move(value));
        } else {
            Variant variant;
            variant._value = std::any(std::move(value));
            return variant;
        }
    }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(_value); }

    // Whether the value is held as exactly a T, without the conversions of get<T>().
    template <typename T>
    bool holds() const
    {
        return payload<T>() != nullptr;
    }
    // Empty for an empty or opaque value.
    const std::string& typeName() const;

    // The text the interpreter prints: "true"/"false", decimal numbers in the C locale with
    // the shortest text that reads back as the same double, the text itself. Empty and opaque
    // values give "" with *ok false.
    std::string toString(bool* ok = nullptr) const;

    // The payload as T; *ok false and a default T when the variant does not hold a T.
    // Numbers convert between int and double, a double to int only when it is a whole
    // number within int's range; nothing else converts.
    template <typename T>
    T get(bool* ok = nullptr) const
    {
        if (const T* value = payload<T>()) {
            setOk(ok, true);
            return *value;
        }
        if constexpr (std::is_same_v<T, double>) {
            if (const int* value = std::get_if<int>(&_value)) {
                setOk(ok, true);
                return *value;
            }
        }
        if constexpr (std::is_same_v<T, int>) {
            const double* value = std::get_if<double>(&_value);
            if (value && std::trunc(*value) == *value && *value >= std::numeric_limits<int>::min() &&
                *value <= std::numeric_limits<int>::max()) {
                setOk(ok, true);
                return static_cast<int>(*value);
            }
        }
        setOk(ok, false);
        return T();
    }

    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }

private:
    enum class BuiltIn
    {
        Bool,
        Int,
        Double,
        String
    };
    static const std::string* builtInTypeName(BuiltIn type);

    template <typename T>
    static constexpr bool isDirect()
    {
        return std::is_same_v<T, bool> || std::is_same_v<T, int> || std::is_same_v<T, double> ||
               std::is_same_v<T, std::string>;
    }

    template <typename T>
    const T* payload() const
    {
        if constexpr (isDirect<T>())
            return std::get_if<T>(&_value);
        else if (const std::any* any = std::get_if<std::any>(&_value))
            return std::any_cast<T>(any);
        else
            return nullptr;
    }

    static void setOk(bool* ok, bool value)
    {
        if (ok)
            *ok = value;
    }

    std::variant<std::monostate, bool, int, double, std::string, std::any> _value;
    // Interned, so that equal names are the same pointer; null for no name.
    const std::string* _typeName = nullptr;
};

} // namespace lum::core::variant
