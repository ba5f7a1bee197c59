#pragma once

#include <kirogen/model/Variable.h>

#include <atomic>
#include <memory>
#include <string_view>

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

    GlobalVariable(std::string name, std::string_view typeName, lum::core::variant::Variant initialValue);
    ~GlobalVariable() override;

    void write(const lum::core::variant::Variant& value) override;

    std::shared_ptr<plugin::gui::VariableHistoryBuffer> historyBuffer() const;
    std::shared_ptr<plugin::gui::PropertyBuffer> propertyBuffer() const;

    // True for a name that matches nameValidatorExpression as a whole.
    static bool isValidName(const std::string& name);

private:
    struct Buffers;

    const Buffers& buffers() const;

    // Made when first asked for: most variables of a large project are never written or
    // displayed while it is open.
    mutable std::atomic<Buffers*> _buffers{nullptr};
};

} // namespace kirogen::model
