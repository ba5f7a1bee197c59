#include <kirogen/model/GlobalVariable.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <QRegularExpression>

namespace kirogen::model {

using lum::core::variant::Variant;

GlobalVariable::GlobalVariable(std::string name, std::string typeName, Variant initialValue)
    : Variable(name, typeName, std::move(initialValue)),
      _history(std::make_shared<plugin::gui::VariableHistoryBuffer>()),
      _properties(std::make_shared<plugin::gui::PropertyBuffer>(std::move(name), std::move(typeName)))
{
}

GlobalVariable::~GlobalVariable() = default;

void GlobalVariable::write(const Variant& value)
{
    Variable::write(value);
    _history->append(value);
}

bool GlobalVariable::isValidName(const std::string& name)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QString::fromLatin1(nameValidatorExpression)));
    return pattern.match(QString::fromStdString(name)).hasMatch();
}

} // namespace kirogen::model
