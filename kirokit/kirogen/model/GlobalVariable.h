#pragma once

#include <kirogen/model/Variable.h>

#include <memory>

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

    std::shared_ptr<plugin::gui::VariableHistoryBuffer> historyBuffer() const { return _history; }
    std::shared_ptr<plugin::gui::PropertyBuffer> propertyBuffer() const { return _properties; }

    // True for a name that matches nameValidatorExpression as a whole.
    static bool isValidName(const std::string& name);

private:
    const std::shared_ptr<plugin::gui::VariableHistoryBuffer> _history;
    const std::shared_ptr<plugin::gui::PropertyBuffer> _properties;
};

} // namespace kirogen::model
