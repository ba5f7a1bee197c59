#include <kirogen/device/model/DeviceInstance.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/DeviceToolbar.h>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QToolButton>

namespace lumlink::project {

using kirogen::observer::DataRole;

DeviceToolbar::DeviceToolbar(std::shared_ptr<kirogen::device::model::DeviceInstance> device, bool compact,
                             QWidget* parent)
    : QWidget(parent), _device(std::move(device)), _nameLabel(new QLabel(this)),
      _addressLabel(new QLabel(this)), _light(new QLabel(this)), _connectButton(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(compact ? 2 : 6, 0, compact ? 2 : 6, 0);
    layout->setSpacing(compact ? 4 : 8);
    layout->addWidget(_light);
    layout->addWidget(_nameLabel);
    layout->addWidget(_addressLabel);
    layout->addWidget(_connectButton);
    _nameLabel->setText(
        QStringLiteral("<b>%1</b>").arg(QString::fromStdString(_device->instanceName()).toHtmlEscaped()));
    _connectButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(_connectButton, &QToolButton::clicked, this, &DeviceToolbar::on_connectButton_clicked);

    _device->registerObserver(DataRole::DeviceConnected, this);
    _device->registerObserver(DataRole::DeviceDisconnected, this);
    _connected = _device->isConnected();
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &DeviceToolbar::translate);
    translate();
}

DeviceToolbar::~DeviceToolbar()
{
    // No report may be handed to a widget that is going away.
    _device->deregisterObserverAllRoles(this);
}

void DeviceToolbar::showAddress()
{
    _addressLabel->setText(QString::fromStdString(_device->parameter("ipAddress").toString()));
}

void DeviceToolbar::translate()
{
    showAddress();
    _addressLabel->setToolTip(tr("Address of the robot"));
    _nameLabel->setAccessibleName(tr("Robot name"));
    _addressLabel->setAccessibleName(tr("Robot address"));
    _light->setAccessibleName(tr("Connection state"));
    _connectButton->setAccessibleName(tr("Connect or disconnect the robot"));
    showState(_connected);
}

void DeviceToolbar::showState(bool connected)
{
    _connected = connected;
    _light->setPixmap(
        QIcon(connected ? QStringLiteral(":/silk/bullet_green.png") : QStringLiteral(":/silk/bullet_red.png"))
            .pixmap(16, 16));
    _light->setToolTip(connected ? tr("Connected") : tr("Not connected"));
    _connectButton->setText(connected ? tr("Disconnect") : tr("Connect"));
    _connectButton->setIcon(
        QIcon(connected ? QStringLiteral(":/silk/disconnect.png") : QStringLiteral(":/silk/connect.png")));
}

void DeviceToolbar::on_connectButton_clicked()
{
    // The light changes only when the device reports the outcome.
    if (_connected)
        _device->disconnect();
    else
        _device->connect();
}

void DeviceToolbar::on_notify(const DataRole& role, kirogen::observer::Observable*,
                              const lum::core::variant::Variant&)
{
    if (role != DataRole::DeviceConnected && role != DataRole::DeviceDisconnected)
        return;
    const bool connected = role == DataRole::DeviceConnected;
    QMetaObject::invokeMethod(
        this, [this, connected] { showState(connected); }, Qt::QueuedConnection);
}

} // namespace lumlink::project
