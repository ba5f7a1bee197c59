#include <lum/core/Serializer.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace lum::core::variant {

namespace {

template <typename T>
bool parseNumber(const std::string& text, T* value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    const auto result = std::from_chars(begin, end, *value);
    return begin != end && result.ec == std::errc() && result.ptr == end;
}

Variant done(bool* ok, Variant value)
{
    if (ok)
        *ok = true;
    return value;
}

Variant failed(bool* ok)
{
    if (ok)
        *ok = false;
    return Variant();
}

} // namespace

Serializer& Serializer::singleton()
{
    static Serializer instance;
    return instance;
}

bool Serializer::knowsType(const std::string& typeName) const
{
    return typeName == "bool" || typeName == "int" || typeName == "double" || typeName == "string";
}

Variant Serializer::load(const std::string& text, const std::string& typeName, bool* ok) const
{
    // Compared as views, a type name of another length is told apart without a call.
    using namespace std::string_view_literals;
    if (typeName == "string"sv)
        return done(ok, Variant(text));
    if (typeName == "bool"sv) {
        if (text == "true" || text == "1")
            return done(ok, Variant(true));
        if (text == "false" || text == "0")
            return done(ok, Variant(false));
        return failed(ok);
    }
    if (typeName == "int"sv) {
        int value = 0;
        return parseNumber(text, &value) ? done(ok, Variant(value)) : failed(ok);
    }
    if (typeName == "double"sv) {
        double value = 0;
        return parseNumber(text, &value) && std::isfinite(value) ? done(ok, Variant(value)) : failed(ok);
    }
    return failed(ok);
}

std::string Serializer::save(const Variant& value) const
{
    return value.toString();
}

} // namespace lum::core::variant
