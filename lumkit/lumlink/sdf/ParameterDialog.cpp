#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lum/core/Serializer.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/ParameterDialog.h>
#include <lumlink/sdf/commands/SetParametersCommand.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace lumlink::sdf {

using kirogen::sdf::ActorParameter;
using lum::core::variant::Serializer;
using lum::core::variant::Variant;
using Reference = kirogen::sdf::ActorParameter::Reference;

namespace {

// Wide enough for any value a robot program needs, small enough for a spin box to show.
constexpr double NumberLimit = 1e9;

} // namespace

ParameterDialog::ParameterDialog(DiagramDocument* document, std::string blockId, QWidget* parent)
    : QDialog(parent), _document(document), _blockId(std::move(blockId)), _help(new QLabel(this)),
      _form(new QFormLayout), _refusal(new QLabel(this)),
      _buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    const auto diagram = _document->diagram();
    const kirogen::model::FunctionBlock* block = diagram ? diagram->block(_blockId) : nullptr;
    _type = block ? kirogen::sdf::ActorTypeRegistry::singleton().get(block->typeId) : nullptr;

    _help->setWordWrap(true);
    _help->setStyleSheet(QStringLiteral("color: #546e7a;"));
    _refusal->setWordWrap(true);
    _refusal->setStyleSheet(QStringLiteral("color: #c62828;"));
    _refusal->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_help);
    layout->addLayout(_form);
    layout->addWidget(_refusal);
    layout->addStretch();
    layout->addWidget(_buttons);
    connect(_buttons, &QDialogButtonBox::accepted, this, &ParameterDialog::accept);
    connect(_buttons, &QDialogButtonBox::rejected, this, &ParameterDialog::reject);

    if (_type) {
        _help->setText(QString::fromStdString(_type->helpText()));
        for (const ActorParameter& parameter : _type->parameters()) {
            const auto own = block->parameters.find(parameter.name);
            const std::string text = own == block->parameters.end() ? parameter.defaultText : own->second;
            QWidget* field = createField(parameter, text);
            field->setObjectName(QString::fromStdString(parameter.name));
            _fields[parameter.name] = field;
            _original[parameter.name] = text;
            _form->addRow(QString::fromStdString(parameter.name), field);
        }
        fillPortChoices();
        for (const ActorParameter& parameter : _type->parameters())
            _shown[parameter.name] = textOf(parameter);
    }
    setMinimumWidth(380);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &ParameterDialog::translate);
    translate();
}

void ParameterDialog::translate()
{
    setWindowTitle(tr("Parameters of %1").arg(QString::fromStdString(_blockId)));
    setAccessibleName(windowTitle());
    _help->setAccessibleName(tr("Description of the block type"));
    _refusal->setAccessibleName(tr("Why the values were refused"));
    _buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    _buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("Apply the parameters"));
    _buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    _buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Close without changes"));
    for (const auto& [name, field] : _fields)
        field->setAccessibleName(tr("Parameter %1").arg(QString::fromStdString(name)));
}

QComboBox* ParameterDialog::createChoice(const std::vector<std::string>& names, const std::string& text)
{
    auto* choice = new QComboBox(this);
    for (const std::string& name : names)
        choice->addItem(QString::fromStdString(name), QString::fromStdString(name));
    // A text that names nothing of the project stays visible, so that the user sees what to mend.
    if (choice->findData(QString::fromStdString(text)) < 0)
        choice->insertItem(0, text.empty() ? tr("(none)") : QString::fromStdString(text),
                           QString::fromStdString(text));
    choice->setCurrentIndex(choice->findData(QString::fromStdString(text)));
    return choice;
}

QWidget* ParameterDialog::createField(const ActorParameter& parameter, const std::string& text)
{
    const auto project = _document->project();
    switch (parameter.reference) {
    case Reference::GlobalVariable: {
        std::vector<std::string> names;
        for (const auto& entry : project->globalVariables())
            names.emplace_back(entry.first);
        return createChoice(names, text);
    }
    case Reference::Device: {
        std::vector<std::string> names;
        for (const auto& device : project->devices())
            names.push_back(device->instanceName());
        QComboBox* choice = createChoice(names, text);
        connect(choice, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &ParameterDialog::fillPortChoices);
        return choice;
    }
    case Reference::DeviceInput:
    case Reference::DeviceOutput:
        // Filled by fillPortChoices() once the device's field exists.
        return createChoice({}, text);
    case Reference::None:
        break;
    }
    bool ok = false;
    const Variant value = Serializer::singleton().load(text, parameter.typeName, &ok);
    if (parameter.typeName == "bool") {
        auto* box = new QCheckBox(this);
        box->setChecked(ok && value.get<bool>());
        return box;
    }
    if (parameter.typeName == "int") {
        auto* box = new QSpinBox(this);
        box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        box->setValue(ok ? value.get<int>() : 0);
        return box;
    }
    if (parameter.typeName == "double") {
        auto* box = new QDoubleSpinBox(this);
        box->setDecimals(3);
        box->setRange(-NumberLimit, NumberLimit);
        box->setValue(ok ? value.get<double>() : 0);
        return box;
    }
    auto* line = new QLineEdit(QString::fromStdString(text), this);
    line->setClearButtonEnabled(true);
    return line;
}

void ParameterDialog::fillPortChoices()
{
    if (!_type)
        return;
    std::shared_ptr<kirogen::device::model::DeviceInstance> device;
    for (const ActorParameter& parameter : _type->parameters()) {
        if (parameter.reference == Reference::Device)
            device = _document->project()->device(textOf(parameter));
    }
    for (const ActorParameter& parameter : _type->parameters()) {
        if (parameter.reference != Reference::DeviceInput && parameter.reference != Reference::DeviceOutput)
            continue;
        auto* choice = static_cast<QComboBox*>(_fields.at(parameter.name));
        const std::string current = choice->currentData().toString().toStdString();
        const auto wanted = parameter.reference == Reference::DeviceInput
                                ? kirogen::device::model::DevicePort::Direction::In
                                : kirogen::device::model::DevicePort::Direction::Out;
        std::vector<std::string> names;
        if (device) {
            for (const auto& port : device->deviceType()->ports()) {
                if (port.direction == wanted)
                    names.push_back(port.name);
            }
        }
        const QSignalBlocker blocker(choice);
        choice->clear();
        for (const std::string& name : names)
            choice->addItem(QString::fromStdString(name), QString::fromStdString(name));
        // Another device's ports replace the choice; its first port is taken then.
        if (names.empty())
            choice->addItem(current.empty() ? tr("(none)") : QString::fromStdString(current),
                            QString::fromStdString(current));
        choice->setCurrentIndex(std::max(0, choice->findData(QString::fromStdString(current))));
    }
}

std::string ParameterDialog::textOf(const ActorParameter& parameter) const
{
    const QWidget* field = _fields.at(parameter.name);
    if (const auto* choice = qobject_cast<const QComboBox*>(field))
        return choice->currentData().toString().toStdString();
    if (const auto* box = qobject_cast<const QCheckBox*>(field))
        return Serializer::singleton().save(Variant(box->isChecked()));
    if (const auto* box = qobject_cast<const QSpinBox*>(field))
        return Serializer::singleton().save(Variant(box->value()));
    if (const auto* box = qobject_cast<const QDoubleSpinBox*>(field))
        return Serializer::singleton().save(Variant(box->value()));
    return static_cast<const QLineEdit*>(field)->text().toStdString();
}

QWidget* ParameterDialog::field(const std::string& parameter) const
{
    const auto found = _fields.find(parameter);
    return found == _fields.end() ? nullptr : found->second;
}

QString ParameterDialog::refusal() const
{
    return _refusal->isVisible() ? _refusal->text() : QString();
}

void ParameterDialog::refuse(const QString& reason)
{
    _refusal->setText(reason);
    _refusal->show();
}

void ParameterDialog::accept()
{
    const auto diagram = _document->diagram();
    const kirogen::model::FunctionBlock* block = diagram ? diagram->block(_blockId) : nullptr;
    if (!block || !_type)
        return QDialog::reject();
    if (_document->isProtected())
        return refuse(tr("The project is protected: enter its password to change it."));
    kirogen::model::FunctionBlock::Parameters parameters = block->parameters;
    for (const ActorParameter& parameter : _type->parameters()) {
        std::string text = textOf(parameter);
        // An untouched field keeps the block's own text, which a spin box might round.
        if (text == _shown.at(parameter.name))
            text = _original.at(parameter.name);
        bool ok = true;
        if (Serializer::singleton().knowsType(parameter.typeName))
            Serializer::singleton().load(text, parameter.typeName, &ok);
        if (!ok)
            return refuse(tr("%1: \"%2\" is no %3")
                              .arg(QString::fromStdString(parameter.name), QString::fromStdString(text),
                                   QString::fromStdString(parameter.typeName)));
        if (parameters.count(parameter.name) || text != parameter.defaultText)
            parameters[parameter.name] = text;
    }
    if (parameters == block->parameters)
        return QDialog::accept();
    QString reason;
    const auto connection = connect(_document, &DiagramDocument::editRefused, this,
                                    [&reason](const QString& why) { reason = why; });
    _document->undoStack()->push(new commands::SetParametersCommand(_document, _blockId, parameters));
    disconnect(connection);
    const auto after = _document->diagram();
    const kirogen::model::FunctionBlock* changed = after ? after->block(_blockId) : nullptr;
    if (!changed || changed->parameters != parameters) {
        // The kit names the project's file and the block's line in it: here the block is plain.
        const QString source = QString::fromStdString(_document->project()->sourceName()) + ':';
        if (reason.startsWith(source) && reason.indexOf(QStringLiteral(": "), source.size()) > 0)
            reason = reason.mid(reason.indexOf(QStringLiteral(": "), source.size()) + 2);
        return refuse(reason.isEmpty() ? tr("The block is no longer in the diagram.")
                                       : tr("Refused: %1").arg(reason));
    }
    QDialog::accept();
}

} // namespace lumlink::sdf
