#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <lum/core/Variant.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace kirogen::model {

// A named, typed value of the model: a global variable or a device's configuration
// variable. Programs and devices may write it from their own threads.
class Variable : public observer::Observable
{
public:
    Variable(std::string name, std::string_view typeName, lum::core::variant::Variant initialValue);
    ~Variable() override;

    const std::string& getVarName() const { return _name; }
    const std::string& typeName() const { return *_typeName; }

    lum::core::variant::Variant value() const;
    lum::core::variant::Variant initialValue() const;
    void setInitialValue(const lum::core::variant::Variant& value);

    // Sets the value; subclasses record or announce the write.
    virtual void write(const lum::core::variant::Variant& value);

    // Back to the initial value, as at the start of a run.
    void reset();

private:
    std::mutex& valueMutex() const;

    const std::string _name;
    const std::string* const _typeName;
    lum::core::variant::Variant _initialValue;
    // Held apart only once written: most variables of a large project keep their initial value.
    std::unique_ptr<lum::core::variant::Variant> _value;
};

} // namespace kirogen::model
