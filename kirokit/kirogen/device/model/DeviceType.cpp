#include <kirogen/device/model/DeviceType.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kiroutil/log/Log.h>
#include <lum/core/Serializer.h>
#include <util/XmlError.h>
#include <util/xml/Element.h>

#include <algorithm>

namespace kirogen::device::model {

using lum::core::variant::Serializer;
using lum::core::variant::Variant;
using util::xml::Element;

namespace {

Variant readValue(const Element* element, const std::string& typeName, const std::string& file)
{
    const Serializer& serializer = Serializer::singleton();
    if (!serializer.knowsType(typeName))
        throw util::XmlError(file, element->line(), 0, "unknown data type \"" + typeName + "\"");
    const std::optional<std::string_view> text = element->attribute("default");
    if (!text)
        return Variant();
    bool ok = false;
    Variant value = serializer.load(std::string(*text), typeName, &ok);
    if (!ok)
        throw util::XmlError(file, element->line(), 0,
                             "default \"" + std::string(*text) + "\" is no " + typeName);
    return value;
}

DeviceSetting readSetting(const Element* element, const std::string& file)
{
    DeviceSetting setting;
    setting.name = element->attributeValue("name");
    setting.typeName = element->attributeValue("type");
    setting.defaultValue = readValue(element, setting.typeName, file);
    if (setting.defaultValue.isEmpty())
        throw util::XmlError(file, element->line(), 0, "\"" + setting.name + "\" has no default");
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

std::shared_ptr<DeviceType> DeviceType::fromXml(const Element* root, const std::string& file)
{
    std::shared_ptr<DeviceType> type(new DeviceType);
    type->_file = file;
    type->_line = root->line();
    type->_xmlId = root->attributeValue("id");
    type->_displayName = root->attributeValue("name");
    const std::string generic = root->attributeValue("generic");
    type->_generic = generic == "true" || generic == "1";
    for (const Element* description : root->children("description"))
        type->_description = description->text();

    for (const Element* element : root->children("parameter"))
        type->_parameters.push_back(readSetting(element, file));
    for (const Element* element : root->children("config"))
        type->_configVariables.push_back(readSetting(element, file));
    for (const Element* element : root->children("port")) {
        DevicePort port;
        port.name = element->attributeValue("name");
        port.direction =
            element->attribute("direction") == "out" ? DevicePort::Direction::Out : DevicePort::Direction::In;
        port.typeName = element->attributeValue("type");
        port.defaultValue = readValue(element, port.typeName, file);
        type->_ports.push_back(std::move(port));
    }

    for (const Element* connection : root->children("connection")) {
        type->_connectionKind = parseConnectionKind(connection->attributeValue("kind"));
        const auto requireParameter = [&](const char* attribute, std::string* target) {
            *target = connection->attributeValue(attribute);
            if (!type->parameter(*target))
                throw util::XmlError(file, connection->line(), 0,
                                     std::string("the connection's ") + attribute +
                                         " names no parameter: \"" + *target + "\"");
        };
        if (type->_connectionKind == ConnectionKind::Tcp) {
            requireParameter("host", &type->_hostParameter);
            requireParameter("port", &type->_portParameter);
        } else if (type->_connectionKind == ConnectionKind::DeviceFile) {
            requireParameter("path", &type->_pathParameter);
            type->_joystickEvents = connection->attribute("format") == "joystick";
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
