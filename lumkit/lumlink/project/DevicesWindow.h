#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QWidget>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kirogen::device::model {
class DeviceInstance;
}

namespace lumlink::project {

class Device;
class Project;

// The project's devices with their type, connection state, parameters and configuration
// values; a device of any loaded type is added, the selected one removed, connected or
// disconnected. Values are edited in place with an editor for their type; every change
// goes through the undo stack, and one the project refuses shows the old value again with
// the reason below the list. The state follows the devices' own reports.
class DevicesWindow : public QWidget, private kirogen::observer::Observer
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        TypeColumn,
        ValueColumn
    };

    explicit DevicesWindow(Project* project, QWidget* parent = nullptr);
    ~DevicesWindow() override;

    QTreeWidget* tree() const { return _tree; }
    // The reason of the latest refused change; empty after a change that was made.
    QString message() const;

public slots:
    void translate();

private slots:
    void on_addButton_clicked();
    void on_removeButton_clicked();
    void on_connectButton_clicked();
    void on_disconnectButton_clicked();
    void on_tree_itemChanged(QTreeWidgetItem* item, int column);
    void on_tree_itemActivated(QTreeWidgetItem* item);
    void on_project_deviceSettingChanged(Device* device, const QString& name);

private:
    void refill();
    Device* selectedDevice() const;
    QTreeWidgetItem* settingItem(Device* device, const QString& name) const;
    QString settingText(const QTreeWidgetItem* item) const;
    void showMessage(const QString& text);
    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

    Project* _project;
    QTreeWidget* _tree;
    QComboBox* _typeBox;
    QPushButton* _addButton;
    QPushButton* _removeButton;
    QPushButton* _connectButton;
    QPushButton* _disconnectButton;
    QLabel* _messageLabel;
    // The devices this window takes reports from, to leave them when it goes.
    std::vector<std::weak_ptr<kirogen::device::model::DeviceInstance>> _observed;
};

} // namespace lumlink::project
