#include <kirogen/model/Variable.h>

#include <array>
#include <cstdint>

namespace kirogen::model {

using lum::core::variant::Variant;

Variable::Variable(std::string name, std::string_view typeName, Variant initialValue)
    : _name(std::move(name)), _typeName(lum::core::variant::TypeNames::intern(typeName)),
      _initialValue(std::move(initialValue))
{
}

Variable::~Variable() = default;

std::mutex& Variable::valueMutex() const
{
    // A mutex of its own would outweigh the rest of a variable, and accesses to values are
    // short, so all variables share a few mutexes, picked by address. No code holds two of
    // them at once, hence no order to keep.
    static std::array<std::mutex, 61> mutexes;
    return mutexes[(reinterpret_cast<std::uintptr_t>(this) / alignof(Variable)) % mutexes.size()];
}

Variant Variable::value() const
{
    std::lock_guard<std::mutex> lock(valueMutex());
    return _value ? *_value : _initialValue;
}

Variant Variable::initialValue() const
{
    std::lock_guard<std::mutex> lock(valueMutex());
    return _initialValue;
}

void Variable::setInitialValue(const Variant& value)
{
    std::lock_guard<std::mutex> lock(valueMutex());
    if (!_value)
        _value = std::make_unique<Variant>(_initialValue);
    _initialValue = value;
}

void Variable::write(const Variant& value)
{
    std::lock_guard<std::mutex> lock(valueMutex());
    if (_value)
        *_value = value;
    else
        _value = std::make_unique<Variant>(value);
}

void Variable::reset()
{
    write(initialValue());
}

} // namespace kirogen::model
