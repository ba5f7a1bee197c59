#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lum/core/Serializer.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/Project.h>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumlink::project {

using kirogen::observer::DataRole;

namespace {

QString text(const lum::core::variant::Variant& value)
{
    return QString::fromStdString(lum::core::variant::Serializer::singleton().save(value));
}

} // namespace

DevicesWindow::DevicesWindow(Project* project, QWidget* parent)
    : QWidget(parent, Qt::Tool), _project(project), _tree(new QTreeWidget(this)),
      _typeBox(new QComboBox(this)), _addButton(new QPushButton(this)), _removeButton(new QPushButton(this)),
      _connectButton(new QPushButton(this)), _disconnectButton(new QPushButton(this))
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
    _tree->setColumnCount(3);
    _tree->header()->setStretchLastSection(true);
    _tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    _tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
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
    connect(project, &Project::deviceAdded, this, &DevicesWindow::refill);
    connect(project, &Project::deviceRemoved, this, &DevicesWindow::refill);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &DevicesWindow::translate);
    translate();
}

void DevicesWindow::translate()
{
    setWindowTitle(tr("Devices"));
    _tree->setHeaderLabels({tr("Device"), tr("Type"), tr("State or value")});
    _tree->setAccessibleName(tr("Devices of the project"));
    _typeBox->setAccessibleName(tr("Type of a new device"));
    _addButton->setText(tr("Add"));
    _addButton->setAccessibleName(tr("Add a device"));
    _removeButton->setText(tr("Remove"));
    _removeButton->setAccessibleName(tr("Remove the selected device"));
    _connectButton->setText(tr("Connect"));
    _connectButton->setAccessibleName(tr("Connect the selected device"));
    _disconnectButton->setText(tr("Disconnect"));
    _disconnectButton->setAccessibleName(tr("Disconnect the selected device"));
    refill();
}

void DevicesWindow::refill()
{
    const QString selected = selectedDevice() ? selectedDevice()->name() : QString();
    _tree->clear();
    for (Device* device : _project->devices()) {
        const auto instance = device->deviceInstance();
        instance->registerObserver(DataRole::DeviceConnected, this);
        instance->registerObserver(DataRole::DeviceDisconnected, this);
        const auto type = instance->deviceType();
        auto* item =
            new QTreeWidgetItem(_tree, {device->name(), QString::fromStdString(type->displayName()),
                                        instance->isConnected() ? tr("connected") : tr("not connected")});
        for (const auto& setting : type->parameters())
            new QTreeWidgetItem(item, {QString::fromStdString(setting.name), tr("parameter"),
                                       text(instance->parameter(setting.name))});
        for (const auto& variable : instance->configVariables())
            new QTreeWidgetItem(item, {QString::fromStdString(variable->getVarName()), tr("configuration"),
                                       text(variable->value())});
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
    return item ? _project->device(item->text(0)) : nullptr;
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

void DevicesWindow::on_notify(const DataRole& role, kirogen::observer::Observable*,
                              const lum::core::variant::Variant&)
{
    // A device thread: the list is redrawn on the GUI thread.
    if (role == DataRole::DeviceConnected || role == DataRole::DeviceDisconnected)
        QMetaObject::invokeMethod(this, &DevicesWindow::refill, Qt::QueuedConnection);
}

} // namespace lumlink::project
