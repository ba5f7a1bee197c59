#include <kirogen/model/GlobalVariable.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <algorithm>

namespace kirogen::model {

using lum::core::variant::Variant;

GlobalVariable::GlobalVariable(std::string name, std::string typeName, Variant initialValue)
    : Variable(std::move(name), std::move(typeName), std::move(initialValue))
{
}

GlobalVariable::~GlobalVariable() = default;

void GlobalVariable::write(const Variant& value)
{
    Variable::write(value);
    makeHistory();
    _history->append(value);
}

std::shared_ptr<plugin::gui::VariableHistoryBuffer> GlobalVariable::historyBuffer() const
{
    makeHistory();
    return _history;
}

void GlobalVariable::makeHistory() const
{
    std::call_once(_historyMade,
                   [this] { _history = std::make_shared<plugin::gui::VariableHistoryBuffer>(); });
}

std::shared_ptr<plugin::gui::PropertyBuffer> GlobalVariable::propertyBuffer() const
{
    std::call_once(_propertiesMade, [this] {
        _properties = std::make_shared<plugin::gui::PropertyBuffer>(getVarName(), typeName());
    });
    return _properties;
}

bool GlobalVariable::isValidName(const std::string& name)
{
    // nameValidatorExpression spelt out: a regular expression per variable slowed down the
    // loading of large projects noticeably.
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.empty() || !letter(name.front()))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return letter(c) || digit(c); });
}

} // namespace kirogen::model
