#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QWidget>

class QComboBox;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace lumlink::project {

class Device;
class Project;

// The project's devices with their type, connection state, parameters and configuration
// values; a device of any loaded type is added, the selected one removed (both through the
// undo stack), connected or disconnected. The state follows the devices' own reports.
class DevicesWindow : public QWidget, private kirogen::observer::Observer
{
    Q_OBJECT

public:
    explicit DevicesWindow(Project* project, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return _tree; }

public slots:
    void translate();

private slots:
    void on_addButton_clicked();
    void on_removeButton_clicked();
    void on_connectButton_clicked();
    void on_disconnectButton_clicked();

private:
    void refill();
    Device* selectedDevice() const;
    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

    Project* _project;
    QTreeWidget* _tree;
    QComboBox* _typeBox;
    QPushButton* _addButton;
    QPushButton* _removeButton;
    QPushButton* _connectButton;
    QPushButton* _disconnectButton;
};

} // namespace lumlink::project
