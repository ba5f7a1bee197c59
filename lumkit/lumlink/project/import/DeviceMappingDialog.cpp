#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/import/DeviceMappingDialog.h>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace lumlink::project::import {

DeviceMappingDialog::DeviceMappingDialog(const QMap<QString, QString>& devices, Project* project,
                                         QWidget* parent)
    : QDialog(parent), _devices(devices), _intro(new QLabel(this)),
      _buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    auto* form = new QFormLayout;
    for (auto it = devices.begin(); it != devices.end(); ++it) {
        auto* box = new QComboBox(this);
        // First the copy, then the project's devices of the same type; one of these is preselected.
        box->addItem(QString(), QString());
        int preselected = 0;
        for (Device* device : project->devices()) {
            const auto type = device->deviceInstance()->deviceType();
            if (!type || QString::fromStdString(type->xmlId()) != it.value())
                continue;
            box->addItem(device->name(), device->name());
            if (preselected == 0 || device->name() == it.key())
                preselected = box->count() - 1;
        }
        box->setCurrentIndex(preselected);
        auto* label = new QLabel(this);
        form->addRow(label, box);
        _choices.insert(it.key(), box);
        _labels.insert(it.key(), label);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_intro);
    layout->addLayout(form);
    layout->addWidget(_buttons);
    connect(_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &DeviceMappingDialog::translate);
    translate();
}

void DeviceMappingDialog::translate()
{
    setWindowTitle(tr("Import: Devices"));
    _intro->setText(tr("Choose the device of this project that the imported programs are to use instead of "
                       "each device of the other project."));
    _intro->setWordWrap(true);
    const auto& registry = kirogen::device::model::DeviceTypeRegistry::singleton();
    for (auto it = _choices.begin(); it != _choices.end(); ++it) {
        const auto type = registry.getByXmlId(_devices.value(it.key()).toStdString());
        const QString typeName =
            type ? QString::fromStdString(type->displayName()) : _devices.value(it.key());
        _labels.value(it.key())->setText(tr("%1 (%2):").arg(it.key(), typeName));
        it.value()->setItemText(0, tr("Copy as a new device"));
        it.value()->setAccessibleName(tr("Device standing for %1").arg(it.key()));
    }
}

QMap<QString, QString> DeviceMappingDialog::getMapping() const
{
    QMap<QString, QString> mapping;
    for (auto it = _choices.begin(); it != _choices.end(); ++it) {
        const QString chosen = it.value()->currentData().toString();
        if (!chosen.isEmpty())
            mapping.insert(it.key(), chosen);
    }
    return mapping;
}

} // namespace lumlink::project::import
