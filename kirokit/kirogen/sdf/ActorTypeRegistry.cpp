#include <kirogen/sdf/ActorTypeRegistry.h>

#include <util/XmlSerializer.h>
#include <util/xml/Document.h>
#include <util/xml/Element.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace kirogen::sdf {

namespace {

using util::xml::Element;

std::runtime_error fault(const std::string& file, const Element* element, const std::string& message)
{
    return std::runtime_error(file + ":" + std::to_string(element->line()) + ": " + message);
}

ActorParameter::Reference referenceOf(const Element* parameter)
{
    static const std::pair<std::string_view, ActorParameter::Reference> references[] = {
        {"globalVariable", ActorParameter::Reference::GlobalVariable},
        {"device", ActorParameter::Reference::Device},
        {"deviceInput", ActorParameter::Reference::DeviceInput},
        {"deviceOutput", ActorParameter::Reference::DeviceOutput},
    };
    const std::optional<std::string_view> name = parameter->attribute("refersTo");
    for (const auto& [text, reference] : references) {
        if (name == text)
            return reference;
    }
    return ActorParameter::Reference::None;
}

std::string helpText(const Element* actor)
{
    const auto help = actor->children("help");
    return help.empty() ? std::string() : std::string(help.front()->text());
}

} // namespace

ActorTypeRegistry& ActorTypeRegistry::singleton()
{
    static ActorTypeRegistry registry;
    return registry;
}

void ActorTypeRegistry::loadActorTypes(const std::string& dir,
                                       const std::function<void(const std::string&)>& beforeFile)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(dir, error);
    if (error)
        throw std::runtime_error(dir + ": cannot read the actor-type directory: " + error.message());
    std::vector<std::string> files;
    for (const auto& entry : entries) {
        if (entry.path().extension() == ".xml" && entry.is_regular_file(error))
            files.push_back(entry.path().string());
    }
    // A fixed order makes the file named in a duplicate-id error predictable.
    std::sort(files.begin(), files.end());
    // One serializer for the directory: it builds the schema grammar once for all files.
    util::XmlSerializer serializer;
    for (const std::string& file : files) {
        if (beforeFile)
            beforeFile(file);
        loadFile(file, serializer);
    }
}

void ActorTypeRegistry::loadFile(const std::string& path, util::XmlSerializer& serializer)
{
    loadDocument(*serializer.load(path, true));
}

void ActorTypeRegistry::loadDocument(const util::xml::Document& document)
{
    const std::string& path = document.path();
    const Element* root = document.root();

    std::map<std::string, std::shared_ptr<const ActorType>> declared;
    for (const Element* actor : root->children("actor")) {
        const std::string id = actor->attributeValue("id");
        std::vector<ActorPort> ports;
        for (const Element* port : actor->children("port")) {
            ActorPort entry;
            entry.name = port->attributeValue("name");
            entry.direction = port->attribute("direction") == "out" ? ActorPort::Out : ActorPort::In;
            entry.typeName = port->attributeValue("type");
            const bool taken = std::any_of(ports.begin(), ports.end(), [&entry](const ActorPort& other) {
                return other.name == entry.name;
            });
            if (taken)
                throw fault(path, port, "actor type '" + id + "' declares port '" + entry.name + "' twice");
            ports.push_back(std::move(entry));
        }
        std::vector<ActorParameter> parameters;
        for (const Element* parameter : actor->children("parameter")) {
            ActorParameter entry{parameter->attributeValue("name"), parameter->attributeValue("type"),
                                 parameter->attributeValue("default"), referenceOf(parameter)};
            const bool taken =
                std::any_of(parameters.begin(), parameters.end(),
                            [&entry](const ActorParameter& other) { return other.name == entry.name; });
            if (taken)
                throw fault(path, parameter,
                            "actor type '" + id + "' declares parameter '" + entry.name + "' twice");
            parameters.push_back(std::move(entry));
        }
        auto type = std::make_shared<const ActorType>(id, actor->attributeValue("category"), helpText(actor),
                                                      std::move(ports), std::move(parameters),
                                                      actor->attribute("feedthrough") != "false");
        if (!declared.emplace(id, std::move(type)).second)
            throw fault(path, actor, "actor type '" + id + "' is declared twice");

        std::lock_guard<std::mutex> lock(_mutex);
        const auto known = _types.find(id);
        if (known != _types.end() && known->second.file != path)
            throw fault(path, actor, "actor type '" + id + "' is already declared in " + known->second.file);
    }

    std::lock_guard<std::mutex> lock(_mutex);
    for (auto entry = _types.begin(); entry != _types.end();) {
        if (entry->second.file == path)
            entry = _types.erase(entry);
        else
            ++entry;
    }
    for (auto& [id, type] : declared)
        _types[id] = Entry{std::move(type), path};
}

std::shared_ptr<const ActorType> ActorTypeRegistry::get(const std::string& typeId) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto found = _types.find(typeId);
    return found == _types.end() ? nullptr : found->second.type;
}

std::vector<std::shared_ptr<const ActorType>> ActorTypeRegistry::all() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    std::vector<std::shared_ptr<const ActorType>> types;
    types.reserve(_types.size());
    for (const auto& entry : _types)
        types.push_back(entry.second.type);
    return types;
}

} // namespace kirogen::sdf
