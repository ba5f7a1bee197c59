#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QWidget;

namespace kirogen::device::model {
class DeviceInstance;
}

namespace lumlink::project {

class Project;

// A device of a project as the workbench shows it.
class Device : public QObject
{
    Q_OBJECT

public:
    // The XML id of the robot's device type.
    static const char* const RobotTypeId;

    // Owned by the project; the instance must have been made for the project's model.
    static Device* create(std::shared_ptr<kirogen::device::model::DeviceInstance> instance, Project* project);

    std::shared_ptr<kirogen::device::model::DeviceInstance> deviceInstance() const { return _instance; }
    QString name() const;
    Project* project() const { return _project; }
    bool isRobot() const;

    // A new widget for the place named: "toolbar" gives the robot's compact bar (name, address,
    // connection light, connect button); null for other devices and places. The caller owns it.
    QWidget* widget(const QString& place, bool compact) const;

private:
    Device(std::shared_ptr<kirogen::device::model::DeviceInstance> instance, Project* project);

    std::shared_ptr<kirogen::device::model::DeviceInstance> _instance;
    Project* _project;
};

} // namespace lumlink::project
