#pragma once

#include <kirogen/model/Variable.h>

#include <memory>
#include <mutex>

namespace plugin::gui {
class PropertyBuffer;
class VariableHistoryBuffer;
} // namespace plugin::gui

namespace kirogen::model {

// A variable of the project that every program can read and write. Every write is recorded
// in its history buffer, from which displays and the execution session take the values.
class GlobalVariable : public Variable
{
public:
    // The pattern every valid global-variable name matches; it has no anchors, so that it
    // can stand inside a larger pattern.
    static constexpr const char* nameValidatorExpression = "[A-Za-z_][A-Za-z0-9_]*";

    GlobalVariable(std::string name, std::string typeName, lum::core::variant::Variant initialValue);
    ~GlobalVariable() override;

    void write(const lum::core::variant::Variant& value) override;

    std::shared_ptr<plugin::gui::VariableHistoryBuffer> historyBuffer() const;
    std::shared_ptr<plugin::gui::PropertyBuffer> propertyBuffer() const;

    // True for a name that matches nameValidatorExpression as a whole.
    static bool isValidName(const std::string& name);

private:
    void makeHistory() const;

    // Made when first asked for: most variables of a large project are never written or
    // displayed while it is open.
    mutable std::once_flag _historyMade;
    mutable std::shared_ptr<plugin::gui::VariableHistoryBuffer> _history;
    mutable std::once_flag _propertiesMade;
    mutable std::shared_ptr<plugin::gui::PropertyBuffer> _properties;
};

} // namespace kirogen::model
