#include <kirogen/model/TypeRegistry.h>
#include <lum/core/Serializer.h>
#include <util/XmlError.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>
#include <util/xml/Element.h>

namespace kirogen::model {

TypeRegistry& TypeRegistry::singleton()
{
    static TypeRegistry instance;
    return instance;
}

void TypeRegistry::loadTypes(const std::string& path)
{
    std::vector<DataType> types = typesOf(*util::XmlSerializer().load(path, true));
    TypeRegistry& registry = singleton();
    std::lock_guard<std::mutex> lock(registry._mutex);
    for (DataType& type : types)
        registry._types[type.name] = std::move(type);
}

std::vector<DataType> TypeRegistry::typesOf(const util::xml::Document& doc)
{
    const std::string& path = doc.path();
    const auto& serializer = lum::core::variant::Serializer::singleton();
    std::vector<DataType> types;
    for (const util::xml::Element* element : doc.root()->children("type")) {
        DataType type;
        type.name = element->attributeValue("name");
        type.text = element->attributeValue("text");
        if (!serializer.knowsType(type.name))
            throw util::XmlError(path, element->line(), 0,
                                 "data type \"" + type.name + "\" is not supported");
        const std::string defaultText = element->attributeValue("default");
        bool ok = false;
        type.defaultValue = serializer.load(defaultText, type.name, &ok);
        if (!ok)
            throw util::XmlError(path, element->line(), 0,
                                 "default \"" + defaultText + "\" is no " + type.name);
        types.push_back(std::move(type));
    }
    return types;
}

bool TypeRegistry::contains(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _types.count(name) != 0;
}

std::optional<DataType> TypeRegistry::get(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto it = _types.find(name);
    if (it == _types.end())
        return std::nullopt;
    return it->second;
}

std::vector<DataType> TypeRegistry::all() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    std::vector<DataType> types;
    for (const auto& entry : _types)
        types.push_back(entry.second);
    return types;
}

} // namespace kirogen::model
