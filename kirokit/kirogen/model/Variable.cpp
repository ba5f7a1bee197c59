#include <kirogen/model/Variable.h>

namespace kirogen::model {

using lum::core::variant::Variant;

Variable::Variable(std::string name, std::string typeName, Variant initialValue)
    : _name(std::move(name)), _typeName(std::move(typeName)), _initialValue(initialValue),
      _value(std::move(initialValue))
{
}

Variant Variable::value() const
{
    std::lock_guard<std::mutex> lock(_valueMutex);
    return _value;
}

Variant Variable::initialValue() const
{
    std::lock_guard<std::mutex> lock(_valueMutex);
    return _initialValue;
}

void Variable::setInitialValue(const Variant& value)
{
    std::lock_guard<std::mutex> lock(_valueMutex);
    _initialValue = value;
}

void Variable::write(const Variant& value)
{
    std::lock_guard<std::mutex> lock(_valueMutex);
    _value = value;
}

void Variable::reset()
{
    write(initialValue());
}

} // namespace kirogen::model
