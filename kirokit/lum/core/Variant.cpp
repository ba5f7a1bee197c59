#include <lum/core/Variant.h>

#include <charconv>
#include <cmath>

namespace lum::core::variant {

const std::string* Variant::builtInTypeName(BuiltIn type)
{
    static const std::string* const names[] = {TypeNames::intern("bool"), TypeNames::intern("int"),
                                               TypeNames::intern("double"), TypeNames::intern("string")};
    return names[static_cast<int>(type)];
}

const std::string& Variant::typeName() const
{
    static const std::string* const none = TypeNames::intern("");
    return *(_typeName ? _typeName : none);
}

std::string Variant::toString(bool* ok) const
{
    struct Visitor
    {
        bool* ok;
        std::string operator()(std::monostate) const { return fail(); }
        std::string operator()(const std::any&) const { return fail(); }
        std::string operator()(bool value) const { return done(value ? "true" : "false"); }
        std::string operator()(int value) const { return done(std::to_string(value)); }
        std::string operator()(const std::string& value) const { return done(value); }
        std::string operator()(double value) const
        {
            if (std::isnan(value))
                return done("nan");
            if (std::isinf(value))
                return done(value > 0 ? "inf" : "-inf");
            char buffer[32];
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
            return done(std::string(buffer, result.ptr));
        }
        std::string done(std::string text) const
        {
            setOk(ok, true);
            return text;
        }
        std::string fail() const
        {
            setOk(ok, false);
            return std::string();
        }
    };
    return std::visit(Visitor{ok}, _value);
}

bool Variant::operator==(const Variant& other) const
{
    if (_typeName != other._typeName || _value.index() != other._value.index())
        return false;
    return std::visit(
        [&other](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::any>)
                return false; // opaque payloads have no equality of their own
            else if constexpr (std::is_same_v<T, std::monostate>)
                return true;
            else
                return value == std::get<T>(other._value);
        },
        _value);
}

} // namespace lum::core::variant
