#include <kirogen/device/model/DeviceInstance.h>

#include <kirogen/device/model/DeviceFileConnection.h>
#include <kirogen/device/model/SimulatedConnection.h>
#include <kirogen/device/model/TcpConnection.h>
#include <kiroutil/log/Log.h>
#include <lum/core/Serializer.h>
#include <util/XmlError.h>
#include <util/XmlTextWriter.h>
#include <util/xml/Document.h>
#include <util/xml/Element.h>

#include <algorithm>

namespace kirogen::device::model {

namespace xml = util::xml;
using kirogen::observer::DataRole;
using lum::core::variant::Serializer;
using lum::core::variant::Variant;

namespace {

// The value's text read as the given type; empty when it does not fit.
Variant convert(const Variant& value, const std::string& typeName)
{
    bool ok = false;
    const std::string text = value.toString(&ok);
    if (!ok)
        return Variant();
    const Variant converted = Serializer::singleton().load(text, typeName, &ok);
    return ok ? converted : Variant();
}

} // namespace

DeviceInstance::DeviceInstance(std::shared_ptr<DeviceType> type,
                               std::weak_ptr<kirogen::model::Project> project, std::string name)
    : _type(std::move(type)), _project(std::move(project)), _name(std::move(name))
{
    for (const DeviceSetting& setting : _type->configVariables())
        _configVariables.push_back(
            std::make_shared<kirogen::model::Variable>(setting.name, setting.typeName, setting.defaultValue));
    for (const DeviceSetting& setting : _type->parameters())
        _parameters[setting.name] = setting.defaultValue;
    for (const DevicePort& port : _type->ports()) {
        if (port.direction == DevicePort::Direction::In)
            _inputs[port.name] = port.defaultValue;
    }
    _connection = createConnection();
    if (_connection) {
        _connection->setHandlers(
            [this](bool connected) { onConnectionState(connected); },
            [this](const std::string& port, const std::string& text) { onInput(port, text); });
    }
}

DeviceInstance::~DeviceInstance()
{
    _connection.reset();
}

std::unique_ptr<Connection> DeviceInstance::createConnection() const
{
    const std::string label = "Device \"" + _name + "\"";
    switch (_type->connectionKind()) {
    case DeviceType::ConnectionKind::Tcp:
        return std::make_unique<TcpConnection>(label);
    case DeviceType::ConnectionKind::DeviceFile:
        return std::make_unique<DeviceFileConnection>(label, _type->deliversJoystickEvents()
                                                                 ? DeviceFileConnection::Format::Joystick
                                                                 : DeviceFileConnection::Format::Opaque);
    case DeviceType::ConnectionKind::Simulated:
        return std::make_unique<SimulatedConnection>(label);
    case DeviceType::ConnectionKind::None:
        break;
    }
    return nullptr;
}

std::shared_ptr<kirogen::model::Variable> DeviceInstance::configVariable(const std::string& name) const
{
    const auto found = std::find_if(_configVariables.begin(), _configVariables.end(),
                                    [&name](const auto& variable) { return variable->getVarName() == name; });
    return found == _configVariables.end() ? nullptr : *found;
}

Variant DeviceInstance::parameter(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto found = _parameters.find(name);
    return found == _parameters.end() ? Variant() : found->second;
}

bool DeviceInstance::setParameter(const std::string& name, const Variant& value)
{
    const DeviceSetting* setting = _type->parameter(name);
    if (!setting)
        return false;
    Variant converted = convert(value, setting->typeName);
    if (converted.isEmpty())
        return false;
    std::lock_guard<std::mutex> lock(_mutex);
    _parameters[name] = std::move(converted);
    return true;
}

Variant DeviceInstance::readInput(const std::string& port) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto found = _inputs.find(port);
    return found == _inputs.end() ? Variant() : found->second;
}

bool DeviceInstance::writeOutput(const std::string& port, const Variant& value)
{
    const DevicePort* declared = _type->port(port);
    if (!declared || declared->direction != DevicePort::Direction::Out)
        return false;
    const Variant converted = convert(value, declared->typeName);
    if (converted.isEmpty())
        return false;
    if (_connection)
        _connection->send(port, Serializer::singleton().save(converted));
    return true;
}

void DeviceInstance::connect()
{
    if (_connection)
        _connection->connect(connectionAddress());
}

void DeviceInstance::disconnect()
{
    if (_connection)
        _connection->disconnect();
}

std::string DeviceInstance::connectionAddress() const
{
    switch (_type->connectionKind()) {
    case DeviceType::ConnectionKind::Tcp:
        return TcpConnection::address(parameter(_type->hostParameter()).toString(),
                                      parameter(_type->portParameter()).toString());
    case DeviceType::ConnectionKind::DeviceFile:
        return parameter(_type->pathParameter()).toString();
    case DeviceType::ConnectionKind::Simulated:
    case DeviceType::ConnectionKind::None:
        break;
    }
    return std::string();
}

void DeviceInstance::onConnectionState(bool connected)
{
    notify(connected ? DataRole::DeviceConnected : DataRole::DeviceDisconnected, this, Variant());
}

void DeviceInstance::onInput(const std::string& port, const std::string& text)
{
    const DevicePort* declared = _type->port(port);
    // Devices may report more than their type declares (a joystick with extra axes, say).
    if (!declared || declared->direction != DevicePort::Direction::In)
        return;
    bool ok = false;
    Variant value = Serializer::singleton().load(text, declared->typeName, &ok);
    if (!ok) {
        kiroutil::Log::singleton().warning("Device \"" + _name + "\" sent an unusable value \"" + text +
                                           "\" for port \"" + port + "\"");
        return;
    }
    std::lock_guard<std::mutex> lock(_mutex);
    _inputs[port] = std::move(value);
}

void DeviceInstance::loadXml(const util::xml::Element* element)
{
    const std::string& file = element->document().path();
    std::map<std::string, Variant> parameters;
    std::map<std::string, Variant> configValues;
    for (const util::xml::Element* child : element->children()) {
        const std::string kind(child->name());
        const std::string name = child->attributeValue("name");
        const auto fail = [&](const std::string& message) {
            throw util::XmlError(file, child->line(), 0, "device \"" + _name + "\": " + message);
        };
        const DeviceSetting* setting = nullptr;
        std::map<std::string, Variant>* target = nullptr;
        if (kind == "parameter") {
            setting = _type->parameter(name);
            target = &parameters;
        } else if (kind == "config") {
            const auto& declared = _type->configVariables();
            const auto found = std::find_if(declared.begin(), declared.end(),
                                            [&name](const DeviceSetting& s) { return s.name == name; });
            setting = found == declared.end() ? nullptr : &*found;
            target = &configValues;
        } else {
            fail("unexpected element <" + kind + ">");
        }
        if (!setting)
            fail(_type->xmlId() + " has no " + kind + " \"" + name + "\"");
        if (target->count(name))
            fail(kind + " \"" + name + "\" is given twice");
        const std::string text = child->attributeValue("value");
        bool ok = false;
        Variant value = Serializer::singleton().load(text, setting->typeName, &ok);
        if (!ok)
            fail("value \"" + text + "\" of " + kind + " \"" + name + "\" is no " + setting->typeName);
        (*target)[name] = std::move(value);
    }

    {
        std::lock_guard<std::mutex> lock(_mutex);
        for (auto& [name, value] : parameters)
            _parameters[name] = std::move(value);
    }
    for (auto& [name, value] : configValues) {
        const std::shared_ptr<kirogen::model::Variable> variable = configVariable(name);
        variable->setInitialValue(value);
        variable->reset();
    }
}

void DeviceInstance::saveXml(util::XmlTextWriter& out) const
{
    const Serializer& serializer = Serializer::singleton();
    for (const DeviceSetting& setting : _type->parameters()) {
        out.startElement("parameter");
        out.setAttribute("name", setting.name);
        out.setAttribute("value", serializer.save(parameter(setting.name)));
        out.endElement();
    }
    for (const std::shared_ptr<kirogen::model::Variable>& variable : _configVariables) {
        out.startElement("config");
        out.setAttribute("name", variable->getVarName());
        out.setAttribute("value", serializer.save(variable->value()));
        out.endElement();
    }
}

} // namespace kirogen::device::model
