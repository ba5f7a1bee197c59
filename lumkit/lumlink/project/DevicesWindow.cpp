#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lum/core/Serializer.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DeviceSettingDelegate.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/Project.h>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lumlink::project {

using kirogen::observer::DataRole;

namespace {

// On the name cell of a setting row: true for a parameter, false for a configuration value.
constexpr int ParameterRole = Qt::UserRole;

QString text(const lum::core::variant::Variant& value)
{
    return QString::fromStdString(lum::core::variant::Serializer::singleton().save(value));
}

} // namespace

DevicesWindow::DevicesWindow(Project* project, QWidget* parent)
    : QWidget(parent, Qt::Tool), _project(project), _tree(new QTreeWidget(this)),
      _typeBox(new QComboBox(this)), _addButton(new QPushButton(this)), _removeButton(new QPushButton(this)),
      _connectButton(new QPushButton(this)), _disconnectButton(new QPushButton(this)),
      _messageLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("DevicesWindow"));
    auto* buttons = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(_typeBox), static_cast<QWidget*>(_addButton),
                            static_cast<QWidget*>(_removeButton), static_cast<QWidget*>(_connectButton),
                            static_cast<QWidget*>(_disconnectButton)})
        buttons->addWidget(widget);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(_tree);
    layout->addWidget(_messageLabel);
    _messageLabel->setWordWrap(true);
    _messageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _messageLabel->hide();
    _tree->setColumnCount(3);
    _tree->setItemDelegate(new DeviceSettingDelegate(ValueColumn, _tree));
    _tree->header()->setStretchLastSection(true);
    _tree->header()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    _tree->header()->setSectionResizeMode(TypeColumn, QHeaderView::ResizeToContents);
    for (const auto& type : kirogen::device::model::DeviceTypeRegistry::singleton().all())
        _typeBox->addItem(QString::fromStdString(type->displayName()), QString::fromStdString(type->xmlId()));
    _addButton->setIcon(QIcon(QStringLiteral(":/silk/accept.png")));
    _removeButton->setIcon(QIcon(QStringLiteral(":/silk/delete.png")));
    _connectButton->setIcon(QIcon(QStringLiteral(":/silk/connect.png")));
    _disconnectButton->setIcon(QIcon(QStringLiteral(":/silk/disconnect.png")));

    connect(_addButton, &QPushButton::clicked, this, &DevicesWindow::on_addButton_clicked);
    connect(_removeButton, &QPushButton::clicked, this, &DevicesWindow::on_removeButton_clicked);
    connect(_connectButton, &QPushButton::clicked, this, &DevicesWindow::on_connectButton_clicked);
    connect(_disconnectButton, &QPushButton::clicked, this, &DevicesWindow::on_disconnectButton_clicked);
    connect(_tree, &QTreeWidget::itemChanged, this, &DevicesWindow::on_tree_itemChanged);
    connect(_tree, &QTreeWidget::itemActivated, this, &DevicesWindow::on_tree_itemActivated);
    connect(project, &Project::deviceAdded, this, &DevicesWindow::refill);
    connect(project, &Project::deviceRemoved, this, &DevicesWindow::refill);
    connect(project, &Project::deviceSettingChanged, this, &DevicesWindow::on_project_deviceSettingChanged);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &DevicesWindow::translate);
    translate();
}

DevicesWindow::~DevicesWindow()
{
    // A device thread may report at any time: no report may reach a window that is going away.
    for (const auto& observed : _observed) {
        if (const auto instance = observed.lock())
            instance->deregisterObserverAllRoles(this);
    }
}

QString DevicesWindow::message() const
{
    return _messageLabel->text();
}

void DevicesWindow::translate()
{
    setWindowTitle(tr("Devices"));
    _tree->setHeaderLabels({tr("Device"), tr("Type"), tr("State or value")});
    _tree->setAccessibleName(tr("Devices of the project"));
    _tree->setAccessibleDescription(tr("Double-click a value, or select it and press Enter, to change it."));
    _typeBox->setAccessibleName(tr("Type of a new device"));
    _addButton->setText(tr("Add"));
    _addButton->setAccessibleName(tr("Add a device"));
    _removeButton->setText(tr("Remove"));
    _removeButton->setAccessibleName(tr("Remove the selected device"));
    _connectButton->setText(tr("Connect"));
    _connectButton->setAccessibleName(tr("Connect the selected device"));
    _disconnectButton->setText(tr("Disconnect"));
    _disconnectButton->setAccessibleName(tr("Disconnect the selected device"));
    _messageLabel->setAccessibleName(tr("Why the latest change was refused"));
    refill();
}

void DevicesWindow::refill()
{
    const QSignalBlocker blocker(_tree);
    const QString selected = selectedDevice() ? selectedDevice()->name() : QString();
    _tree->clear();
    for (Device* device : _project->devices()) {
        const auto instance = device->deviceInstance();
        const bool observed = std::any_of(_observed.begin(), _observed.end(), [&instance](const auto& entry) {
            return entry.lock() == instance;
        });
        if (!observed) {
            instance->registerObserver(DataRole::DeviceConnected, this);
            instance->registerObserver(DataRole::DeviceDisconnected, this);
            _observed.push_back(instance);
        }
        const auto type = instance->deviceType();
        auto* item =
            new QTreeWidgetItem(_tree, {device->name(), QString::fromStdString(type->displayName()),
                                        instance->isConnected() ? tr("connected") : tr("not connected")});
        const auto addSetting = [&](const std::string& name, const std::string& typeName, bool parameter) {
            const QString typeText = QString::fromStdString(typeName);
            auto* setting = new QTreeWidgetItem(
                item, {QString::fromStdString(name), parameter ? tr("parameter (%1)").arg(typeText)
                                                               : tr("configuration (%1)").arg(typeText)});
            setting->setData(NameColumn, ParameterRole, parameter);
            setting->setData(ValueColumn, DeviceSettingDelegate::TypeRole, typeText);
            setting->setText(ValueColumn, settingText(setting));
            setting->setToolTip(ValueColumn, parameter ? tr("Takes effect when the device connects next.")
                                                       : tr("A value of type %1.").arg(typeText));
            setting->setFlags(setting->flags() | Qt::ItemIsEditable);
        };
        for (const auto& setting : type->parameters())
            addSetting(setting.name, setting.typeName, true);
        for (const auto& variable : instance->configVariables())
            addSetting(variable->getVarName(), variable->typeName(), false);
        item->setExpanded(true);
        if (device->name() == selected)
            _tree->setCurrentItem(item);
    }
}

Device* DevicesWindow::selectedDevice() const
{
    QTreeWidgetItem* item = _tree->currentItem();
    while (item && item->parent())
        item = item->parent();
    return item ? _project->device(item->text(NameColumn)) : nullptr;
}

QTreeWidgetItem* DevicesWindow::settingItem(Device* device, const QString& name) const
{
    for (int i = 0; i < _tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = _tree->topLevelItem(i);
        if (item->text(NameColumn) != device->name())
            continue;
        for (int j = 0; j < item->childCount(); ++j) {
            if (item->child(j)->text(NameColumn) == name)
                return item->child(j);
        }
    }
    return nullptr;
}

QString DevicesWindow::settingText(const QTreeWidgetItem* item) const
{
    const Device* device = _project->device(item->parent()->text(NameColumn));
    if (!device)
        return QString();
    const auto instance = device->deviceInstance();
    const std::string name = item->text(NameColumn).toStdString();
    if (item->data(NameColumn, ParameterRole).toBool())
        return text(instance->parameter(name));
    const auto variable = instance->configVariable(name);
    return variable ? text(variable->value()) : QString();
}

void DevicesWindow::showMessage(const QString& text)
{
    _messageLabel->setText(text);
    _messageLabel->setVisible(!text.isEmpty());
}

void DevicesWindow::on_addButton_clicked()
{
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(
        _typeBox->currentData().toString().toStdString());
    if (!type)
        return;
    // Named after its type, numbered when the name is taken.
    QString name = QString::fromStdString(type->displayName());
    for (int n = 2; _project->device(name); ++n)
        name = QStringLiteral("%1 %2").arg(QString::fromStdString(type->displayName())).arg(n);
    if (auto instance = type->createDeviceInstance(_project->kirogenProject(), name.toStdString()))
        _project->addDevice(Device::create(instance, _project));
}

void DevicesWindow::on_removeButton_clicked()
{
    if (Device* device = selectedDevice())
        _project->removeDevice(device);
}

void DevicesWindow::on_connectButton_clicked()
{
    if (Device* device = selectedDevice())
        device->deviceInstance()->connect();
}

void DevicesWindow::on_disconnectButton_clicked()
{
    if (Device* device = selectedDevice())
        device->deviceInstance()->disconnect();
}

void DevicesWindow::on_tree_itemChanged(QTreeWidgetItem* item, int column)
{
    if (column != ValueColumn || !item->parent())
        return;
    Device* device = _project->device(item->parent()->text(NameColumn));
    const QString value = item->text(ValueColumn);
    if (!device || value == settingText(item))
        return;
    const QString name = item->text(NameColumn);
    const bool applied = item->data(NameColumn, ParameterRole).toBool()
                             ? _project->setDeviceParameter(device, name, value)
                             : _project->setDeviceConfigValue(device, name, value);
    if (applied) {
        showMessage(QString());
        return;
    }
    // The model kept its value: show it again, and why.
    showMessage(tr("%1 of %2 was not changed: %3").arg(name, device->name(), _project->lastError()));
    const QSignalBlocker blocker(_tree);
    item->setText(ValueColumn, settingText(item));
}

void DevicesWindow::on_tree_itemActivated(QTreeWidgetItem* item)
{
    // Enter on a setting, or a double-click beside its value, edits the value.
    if (item->parent())
        _tree->editItem(item, ValueColumn);
}

void DevicesWindow::on_project_deviceSettingChanged(Device* device, const QString& name)
{
    if (QTreeWidgetItem* item = settingItem(device, name)) {
        const QSignalBlocker blocker(_tree);
        item->setText(ValueColumn, settingText(item));
    }
}

void DevicesWindow::on_notify(const DataRole& role, kirogen::observer::Observable*,
                              const lum::core::variant::Variant&)
{
    // A device thread: the list is redrawn on the GUI thread.
    if (role == DataRole::DeviceConnected || role == DataRole::DeviceDisconnected)
        QMetaObject::invokeMethod(this, &DevicesWindow::refill, Qt::QueuedConnection);
}

} // namespace lumlink::project
