#pragma once

#include <kirogen/device/model/DeviceType.h>
#include <kirogen/observer/ModelObserver.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kirogen::device::model {

// The device types known to the kit, loaded from the XML files of devices/ directories.
// The kit uses the singleton; separate registries serve tests and tools.
class DeviceTypeRegistry : public observer::Observable
{
public:
    DeviceTypeRegistry() = default;

    static DeviceTypeRegistry& singleton();

    // Loads every "*.xml" file of the directory, in name order, each validated against its
    // schema (device.xsd, found through the XML serializer's search paths). Throws
    // std::runtime_error naming the file and line for a missing directory, a malformed or
    // invalid file, or an id that is already known; then none of the directory's types is
    // added. Tells the loading observer (role 55) about each file.
    void loadDeviceTypes(const std::string& dir);

    // Empty when no type has that id.
    std::shared_ptr<DeviceType> getByXmlId(const std::string& id) const;
    // In id order.
    std::vector<std::shared_ptr<DeviceType>> all() const;

private:
    mutable std::mutex _mutex;
    std::map<std::string, std::shared_ptr<DeviceType>> _types;
};

} // namespace kirogen::device::model
