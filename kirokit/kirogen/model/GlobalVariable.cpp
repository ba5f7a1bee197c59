#include <kirogen/model/GlobalVariable.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <algorithm>

namespace kirogen::model {

using lum::core::variant::Variant;

struct GlobalVariable::Buffers
{
    std::shared_ptr<plugin::gui::VariableHistoryBuffer> history;
    std::shared_ptr<plugin::gui::PropertyBuffer> properties;
};

GlobalVariable::GlobalVariable(std::string name, std::string_view typeName, Variant initialValue)
    : Variable(std::move(name), typeName, std::move(initialValue))
{
}

GlobalVariable::~GlobalVariable()
{
    delete _buffers.load(std::memory_order_acquire);
}

void GlobalVariable::write(const Variant& value)
{
    Variable::write(value);
    buffers().history->append(value);
}

std::shared_ptr<plugin::gui::VariableHistoryBuffer> GlobalVariable::historyBuffer() const
{
    return buffers().history;
}

std::shared_ptr<plugin::gui::PropertyBuffer> GlobalVariable::propertyBuffer() const
{
    return buffers().properties;
}

const GlobalVariable::Buffers& GlobalVariable::buffers() const
{
    Buffers* existing = _buffers.load(std::memory_order_acquire);
    if (existing)
        return *existing;
    auto made = std::make_unique<Buffers>(
        Buffers{std::make_shared<plugin::gui::VariableHistoryBuffer>(),
                std::make_shared<plugin::gui::PropertyBuffer>(getVarName(), typeName())});
    // Of threads asking at once, the first to get here wins; the others drop what they made.
    if (_buffers.compare_exchange_strong(existing, made.get(), std::memory_order_acq_rel,
                                         std::memory_order_acquire))
        return *made.release();
    return *existing;
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
