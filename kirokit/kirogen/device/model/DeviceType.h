#pragma once

#include <kirogen/device/model/DevicePort.h>
#include <kirogen/device/model/DeviceSetting.h>
#include <util/SharedForThisEnabled.h>

#include <memory>
#include <string>
#include <vector>

namespace kirogen::model {
class Project;
}

namespace util::xml {
class Element;
}

namespace kirogen::device::model {

class DeviceInstance;

// A kind of device as described by one XML file of a devices/ directory: what it is called,
// how it is reached, which parameters and configuration variables its instances carry and
// which ports programs read and write. Immutable once loaded.
class DeviceType : public util::SharedForThisEnabled<DeviceType>
{
public:
    enum class ConnectionKind
    {
        None,
        Tcp,
        DeviceFile,
        Simulated
    };

    // Builds a type from the root element of a validated device-type document. Throws
    // util::XmlError naming the file and line for content the schema cannot rule out.
    static std::shared_ptr<DeviceType> fromXml(const util::xml::Element* root, const std::string& file);

    const std::string& xmlId() const { return _xmlId; }
    const std::string& displayName() const { return _displayName; }
    const std::string& description() const { return _description; }
    // Generic devices stand for something outside the kit's reach; they are never connected.
    bool isGeneric() const { return _generic; }

    ConnectionKind connectionKind() const { return _connectionKind; }
    // The parameters that hold the address: host and port for tcp, the path for a device file.
    const std::string& hostParameter() const { return _hostParameter; }
    const std::string& portParameter() const { return _portParameter; }
    const std::string& pathParameter() const { return _pathParameter; }
    // A device file that delivers Linux joystick events, decoded into "axis<N>"/"button<N>" inputs.
    bool deliversJoystickEvents() const { return _joystickEvents; }

    const std::vector<DeviceSetting>& parameters() const { return _parameters; }
    const std::vector<DeviceSetting>& configVariables() const { return _configVariables; }
    const std::vector<DevicePort>& ports() const { return _ports; }
    const DeviceSetting* parameter(const std::string& name) const;
    const DevicePort* port(const std::string& name) const;

    // Where the type was declared, for messages.
    const std::string& file() const { return _file; }
    int line() const { return _line; }

    // A new device of this type with default values. Empty when the name is unusable (empty,
    // or holding a control character or the ":" that separates device and variable on the
    // interpreter's command line) or the device cannot be set up.
    std::shared_ptr<DeviceInstance>
    createDeviceInstance(const std::shared_ptr<kirogen::model::Project>& project, const std::string& name);

private:
    DeviceType() = default;

    std::string _xmlId;
    std::string _displayName;
    std::string _description;
    bool _generic = false;
    ConnectionKind _connectionKind = ConnectionKind::None;
    std::string _hostParameter;
    std::string _portParameter;
    std::string _pathParameter;
    bool _joystickEvents = false;
    std::vector<DeviceSetting> _parameters;
    std::vector<DeviceSetting> _configVariables;
    std::vector<DevicePort> _ports;
    std::string _file;
    int _line = 0;
};

} // namespace kirogen::device::model
