#include <kirogen/device/model/DeviceType.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kiroutil/log/Log.h>
#include <lum/core/Serializer.h>
#include <util/XmlDom.h>
#include <util/XmlError.h>
#include <util/XmlString.h>

#include <algorithm>

namespace kirogen::device::model {

namespace xml = util::xml;
using lum::core::variant::Serializer;
using lum::core::variant::Variant;

namespace {

Variant readValue(const xercesc::DOMElement* element, const std::string& typeName, const std::string& file)
{
    const Serializer& serializer = Serializer::singleton();
    if (!serializer.knowsType(typeName))
        throw util::XmlError(file, xml::lineOf(element), 0, "unknown data type \"" + typeName + "\"");
    if (!xml::hasAttribute(element, "default"))
        return Variant();
    const std::string text = xml::attribute(element, "default");
    bool ok = false;
    Variant value = serializer.load(text, typeName, &ok);
    if (!ok)
        throw util::XmlError(file, xml::lineOf(element), 0, "default \"" + text + "\" is no " + typeName);
    return value;
}

DeviceSetting readSetting(const xercesc::DOMElement* element, const std::string& file)
{
    DeviceSetting setting;
    setting.name = xml::attribute(element, "name");
    setting.typeName = xml::attribute(element, "type");
    setting.defaultValue = readValue(element, setting.typeName, file);
    if (setting.defaultValue.isEmpty())
        throw util::XmlError(file, xml::lineOf(element), 0, "\"" + setting.name + "\" has no default");
    return setting;
}

DeviceType::ConnectionKind parseConnectionKind(const std::string& text)
{
    if (text == "tcp")
        return DeviceType::ConnectionKind::Tcp;
    if (text == "deviceFile")
        return DeviceType::ConnectionKind::DeviceFile;
    if (text == "simulated")
        return DeviceType::ConnectionKind::Simulated;
    return DeviceType::ConnectionKind::None;
}

bool usableInstanceName(const std::string& name)
{
    return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
        return c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
}

} // namespace

std::shared_ptr<DeviceType> DeviceType::fromXml(const xercesc::DOMElement* root, const std::string& file)
{
    std::shared_ptr<DeviceType> type(new DeviceType);
    type->_file = file;
    type->_line = xml::lineOf(root);
    type->_xmlId = xml::attribute(root, "id");
    type->_displayName = xml::attribute(root, "name");
    const std::string generic = xml::attribute(root, "generic");
    type->_generic = generic == "true" || generic == "1";
    for (const xercesc::DOMElement* description : xml::childElements(root, "description"))
        type->_description = util::XmlString(description->getTextContent()).toStdString();

    for (const xercesc::DOMElement* element : xml::childElements(root, "parameter"))
        type->_parameters.push_back(readSetting(element, file));
    for (const xercesc::DOMElement* element : xml::childElements(root, "config"))
        type->_configVariables.push_back(readSetting(element, file));
    for (const xercesc::DOMElement* element : xml::childElements(root, "port")) {
        DevicePort port;
        port.name = xml::attribute(element, "name");
        port.direction = xml::attribute(element, "direction") == "out" ? DevicePort::Direction::Out
                                                                       : DevicePort::Direction::In;
        port.typeName = xml::attribute(element, "type");
        port.defaultValue = readValue(element, port.typeName, file);
        type->_ports.push_back(std::move(port));
    }

    for (const xercesc::DOMElement* connection : xml::childElements(root, "connection")) {
        type->_connectionKind = parseConnectionKind(xml::attribute(connection, "kind"));
        const auto requireParameter = [&](const char* attribute, std::string* target) {
            *target = xml::attribute(connection, attribute);
            if (!type->parameter(*target))
                throw util::XmlError(file, xml::lineOf(connection), 0,
                                     std::string("the connection's ") + attribute +
                                         " names no parameter: \"" + *target + "\"");
        };
        if (type->_connectionKind == ConnectionKind::Tcp) {
            requireParameter("host", &type->_hostParameter);
            requireParameter("port", &type->_portParameter);
        } else if (type->_connectionKind == ConnectionKind::DeviceFile) {
            requireParameter("path", &type->_pathParameter);
            type->_joystickEvents = xml::attribute(connection, "format") == "joystick";
        }
    }
    return type;
}

const DeviceSetting* DeviceType::parameter(const std::string& name) const
{
    const auto found = std::find_if(_parameters.begin(), _parameters.end(),
                                    [&name](const DeviceSetting& setting) { return setting.name == name; });
    return found == _parameters.end() ? nullptr : &*found;
}

const DevicePort* DeviceType::port(const std::string& name) const
{
    const auto found = std::find_if(_ports.begin(), _ports.end(),
                                    [&name](const DevicePort& port) { return port.name == name; });
    return found == _ports.end() ? nullptr : &*found;
}

std::shared_ptr<DeviceInstance>
DeviceType::createDeviceInstance(const std::shared_ptr<kirogen::model::Project>& project,
                                 const std::string& name)
{
    if (!usableInstanceName(name)) {
        kiroutil::Log::singleton().error("Unusable device name \"" + name + "\" for a " + _xmlId);
        return nullptr;
    }
    try {
        // Types only ever live in shared pointers (see fromXml), so getPtr() is never empty here.
        return std::make_shared<DeviceInstance>(getPtr(), project, name);
    } catch (const std::exception& e) {
        kiroutil::Log::singleton().error("Cannot set up device \"" + name + "\": " + e.what());
        return nullptr;
    }
}

} // namespace kirogen::device::model
