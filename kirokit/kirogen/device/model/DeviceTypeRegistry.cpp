#include <kirogen/device/model/DeviceTypeRegistry.h>

#include <kirogen/Singletons.h>
#include <util/XmlError.h>
#include <util/XmlSerializer.h>
#include <util/XmlString.h>

#include <algorithm>
#include <filesystem>

namespace kirogen::device::model {

namespace fs = std::filesystem;

DeviceTypeRegistry& DeviceTypeRegistry::singleton()
{
    static DeviceTypeRegistry instance;
    return instance;
}

void DeviceTypeRegistry::loadDeviceTypes(const std::string& dir)
{
    std::error_code error;
    if (!fs::is_directory(dir, error))
        throw std::runtime_error(dir + ": no such device-type directory");
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
        if (entry.path().extension() == ".xml" && entry.is_regular_file(error))
            files.push_back(entry.path());
    }
    if (error)
        throw std::runtime_error(dir + ": " + error.message());
    std::sort(files.begin(), files.end());

    std::map<std::string, std::shared_ptr<DeviceType>> loaded;
    util::XmlSerializer serializer;
    for (const fs::path& path : files) {
        const std::string file = path.string();
        if (observer::Observer* loading = kirogen::loadingObserver())
            loading->on_notify(observer::DataRole::LoadingProgress, this,
                               lum::core::variant::Variant::fromValue(util::XmlString(file)));
        const util::xml::DocumentPtr document = serializer.load(file, true);
        std::shared_ptr<DeviceType> type = DeviceType::fromXml(document->root(), file);

        const std::shared_ptr<DeviceType> known =
            loaded.count(type->xmlId()) ? loaded[type->xmlId()] : getByXmlId(type->xmlId());
        if (known)
            throw util::XmlError(file, type->line(), 0,
                                 "device type \"" + type->xmlId() + "\" is already declared in " +
                                     known->file() + ":" + std::to_string(known->line()));
        loaded[type->xmlId()] = std::move(type);
    }

    std::lock_guard<std::mutex> lock(_mutex);
    _types.merge(loaded);
}

std::shared_ptr<DeviceType> DeviceTypeRegistry::getByXmlId(const std::string& id) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto found = _types.find(id);
    return found == _types.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<DeviceType>> DeviceTypeRegistry::all() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    std::vector<std::shared_ptr<DeviceType>> types;
    types.reserve(_types.size());
    for (const auto& entry : _types)
        types.push_back(entry.second);
    return types;
}

} // namespace kirogen::device::model
