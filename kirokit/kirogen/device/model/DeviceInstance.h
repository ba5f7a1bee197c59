#pragma once

#include <kirogen/device/model/Connection.h>
#include <kirogen/device/model/DeviceType.h>
#include <kirogen/model/Variable.h>
#include <kirogen/observer/ModelObserver.h>
#include <lum/core/Variant.h>
#include <util/SharedForThisEnabled.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace util {
class XmlTextWriter;
}

namespace util::xml {
class Element;
}

namespace kirogen::model {
class Project;
}

namespace kirogen::device::model {

// One device of a project: an instance of a device type with its own parameter values,
// configuration variables, port values and connection. Connecting and disconnecting return
// at once; the outcome arrives later from the connection's own thread as role 5 (connected)
// or role 6 (disconnected, or the attempt failed), with this device as the source.
class DeviceInstance : public observer::Observable, public util::SharedForThisEnabled<DeviceInstance>
{
public:
    DeviceInstance(std::shared_ptr<DeviceType> type, std::weak_ptr<kirogen::model::Project> project,
                   std::string name);
    // Disconnects quietly: no notification is sent from a device that is going away.
    ~DeviceInstance() override;

    const std::string& instanceName() const { return _name; }
    std::shared_ptr<DeviceType> deviceType() const { return _type; }
    std::shared_ptr<kirogen::model::Project> project() const { return _project.lock(); }
    // Null for devices that are reached by no connection (kind "none").
    Connection* connection() const { return _connection.get(); }
    bool isConnected() const { return _connection && _connection->isConnected(); }

    // In the order the device type declares them.
    const std::vector<std::shared_ptr<kirogen::model::Variable>>& configVariables() const
    {
        return _configVariables;
    }
    std::shared_ptr<kirogen::model::Variable> configVariable(const std::string& name) const;

    // Empty for a name the type does not declare.
    lum::core::variant::Variant parameter(const std::string& name) const;
    // Takes any value whose text fits the parameter's type; false (and nothing changed) for an
    // unknown name or an unfitting value. Takes effect at the next connect.
    bool setParameter(const std::string& name, const lum::core::variant::Variant& value);

    // The newest value the device reported for an input port (the port's default before the
    // first report); empty for a name that is no input port.
    lum::core::variant::Variant readInput(const std::string& port) const;
    // Sends a value to an output port while connected; false for a name that is no output
    // port or a value that does not fit the port's type.
    bool writeOutput(const std::string& port, const lum::core::variant::Variant& value);

    // Asks the connection to connect or disconnect; devices without a connection ignore both.
    virtual void connect();
    virtual void disconnect();

    // Reads <parameter name=".." value=".."/> and <config name=".." value=".."/> children of
    // the project's device element. Throws std::runtime_error naming file and line for an
    // unknown name, a repeated name, a value that does not fit or any other child; nothing is
    // changed then.
    void loadXml(const util::xml::Element* element);
    // Writes every parameter and configuration value as such children.
    void saveXml(util::XmlTextWriter& out) const;

private:
    std::unique_ptr<Connection> createConnection() const;
    std::string connectionAddress() const;
    void onConnectionState(bool connected);
    void onInput(const std::string& port, const std::string& text);

    const std::shared_ptr<DeviceType> _type;
    const std::weak_ptr<kirogen::model::Project> _project;
    const std::string _name;
    std::vector<std::shared_ptr<kirogen::model::Variable>> _configVariables;
    mutable std::mutex _mutex;
    std::map<std::string, lum::core::variant::Variant> _parameters;
    std::map<std::string, lum::core::variant::Variant> _inputs;
    // Declared last, so that its worker stops before anything it reports into goes away.
    std::unique_ptr<Connection> _connection;
};

} // namespace kirogen::device::model
