#include <kirogen/device/model/DeviceInstance.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <tavview/Actions.h>
#include <tavview/IpValidator.h>
#include <tavview/TavikTask.h>
#include <tavview/TavikTaskTabWidget.h>
#include <tavview/uploader/View.h>
#include <QAction>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavview {

namespace {

constexpr int projectTab = 0;
constexpr int uploadTab = 1;

} // namespace

TavikTask::TavikTask(QWidget* parent)
    : QWidget(parent), _ipAddressLabel(new QLabel(this)), _ipAddressLineEdit(new QLineEdit(this)),
      _tabWidget(new TavikTaskTabWidget(this)), _uploadView(new uploader::View(this))
{
    setObjectName(QStringLiteral("tavikTask"));
    _ipAddressLineEdit->setObjectName(QStringLiteral("ipAddressLineEdit"));
    _tabWidget->setObjectName(QStringLiteral("tabWidget"));
    _ipAddressLineEdit->setValidator(new IpValidator(this));
    _ipAddressLabel->setBuddy(_ipAddressLineEdit);

    _tabWidget->addTab(new QWidget(_tabWidget), QString());
    _tabWidget->addTab(_uploadView, QString());
    _tabWidget->setCurrentIndex(uploadTab);

    auto* address = new QFormLayout;
    address->addRow(_ipAddressLabel, _ipAddressLineEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(address);
    layout->addWidget(_tabWidget);

    connect(Actions::singleton().uploadCurProj, &QAction::triggered, this,
            &TavikTask::on_uploadCurProj_triggered);
    connect(_ipAddressLineEdit, &QLineEdit::editingFinished, this,
            &TavikTask::on_ipAddressLineEdit_editingFinished);
    connect(_ipAddressLineEdit, &QLineEdit::textChanged, this, [this] { _invalidReported = false; });
    // The line reports the end of editing only for acceptable text; invalid text ends it too.
    _ipAddressLineEdit->installEventFilter(this);
    connect(this, &TavikTask::invalidIPAddress, _uploadView, &uploader::View::on_invalidIPAddress);
    connect(this, &TavikTask::ipAddressChanged, _uploadView, &uploader::View::on_ipAddressChanged);
    connect(_tabWidget, &QTabWidget::currentChanged, this, &TavikTask::on_tabWidget_currentChanged);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &TavikTask::translate);
    translate();
}

void TavikTask::translate()
{
    _ipAddressLabel->setText(tr("Tavik IP address:"));
    _ipAddressLineEdit->setAccessibleName(tr("Tavik IP address"));
    _ipAddressLineEdit->setToolTip(tr("The robot's address, as an IP address or a host name"));
    _tabWidget->setTabText(projectTab, tr("Project"));
    _tabWidget->setTabToolTip(projectTab, tr("Back to the programs of the project"));
    _tabWidget->setTabText(uploadTab, tr("Upload"));
    _tabWidget->setTabToolTip(uploadTab, tr("Upload the project to the robot and run it there"));
    _tabWidget->setAccessibleName(tr("Robot tasks"));
}

void TavikTask::setIpAddressLineEditEnabled(bool enable)
{
    _ipAddressLineEdit->setEnabled(enable);
}

void TavikTask::setComponentEnabled(bool enabled)
{
    _tabWidget->setComponentEnabled(enabled);
    _ipAddressLineEdit->setEnabled(enabled);
    _uploadView->setEnabled(enabled);
}

void TavikTask::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!_ipAddressLineEdit->text().isEmpty() || !_ipAddressLineEdit->isEnabled())
        return;
    const lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    if (!project)
        return;
    for (const lumlink::project::Device* device : project->devices()) {
        if (!device->isRobot())
            continue;
        // The robot device may carry a port for its own link; the upload view wants the host.
        const QStringList parts =
            QString::fromStdString(device->deviceInstance()->parameter("ipAddress").toString())
                .split(QLatin1Char(':'), Qt::SkipEmptyParts);
        if (!parts.isEmpty()) {
            _ipAddressLineEdit->setText(parts.first());
            emit ipAddressChanged(parts.first());
        }
        return;
    }
}

bool TavikTask::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _ipAddressLineEdit && !_ipAddressLineEdit->hasAcceptableInput() && !_invalidReported) {
        const bool returnPressed =
            event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                                  static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (returnPressed || event->type() == QEvent::FocusOut)
            on_ipAddressLineEdit_editingFinished();
    }
    return QWidget::eventFilter(watched, event);
}

void TavikTask::on_uploadCurProj_triggered(bool checked)
{
    if (checked)
        _tabWidget->setCurrentIndex(uploadTab);
    else
        emit back();
}

void TavikTask::on_ipAddressLineEdit_editingFinished()
{
    const QString text = _ipAddressLineEdit->text();
    if (_ipAddressLineEdit->hasAcceptableInput()) {
        emit ipAddressChanged(text);
        return;
    }
    _invalidReported = true;
    emit invalidIPAddress(text);
}

void TavikTask::on_tabWidget_currentChanged(int index)
{
    if (index != projectTab)
        return;
    Actions::singleton().uploadCurProj->setChecked(false);
    emit back();
}

} // namespace tavview
