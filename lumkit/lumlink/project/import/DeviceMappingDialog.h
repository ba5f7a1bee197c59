#pragma once

#include <QDialog>
#include <QList>
#include <QMap>
#include <QString>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace lumlink::project {
class Project;
}

namespace lumlink::project::import {

// One row per device of the other project: which device of the current project, of the same
// type, its blocks are to use, or a copy of the device.
class DeviceMappingDialog : public QDialog
{
    Q_OBJECT

public:
    // devices: the other project's device names to their type ids.
    DeviceMappingDialog(const QMap<QString, QString>& devices, Project* project, QWidget* parent = nullptr);

    // Other project's device name to the chosen device's name; devices to be copied are left out.
    QMap<QString, QString> getMapping() const;

    // The choice for a device of the other project, for the user and for tests.
    QComboBox* choice(const QString& device) const { return _choices.value(device); }

public slots:
    void translate();

private:
    QMap<QString, QString> _devices;
    QMap<QString, QComboBox*> _choices;
    QMap<QString, QLabel*> _labels;
    QLabel* _intro;
    QDialogButtonBox* _buttons;
};

} // namespace lumlink::project::import
