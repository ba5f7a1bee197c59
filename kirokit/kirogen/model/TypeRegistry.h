#pragma once

#include <kirogen/model/DataType.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace util::xml {
class Document;
}

namespace kirogen::model {

// The data types the model knows, loaded from types.xml.
class TypeRegistry
{
public:
    static TypeRegistry& singleton();

    // Loads (or redefines) the types of the file into the singleton. Throws std::runtime_error
    // naming the file and line for an unreadable or invalid file, a type the value
    // serializer cannot convert, or a default that does not fit its type.
    static void loadTypes(const std::string& path);
    // The types a validated types document declares, checked as loadTypes() checks them.
    static std::vector<DataType> typesOf(const util::xml::Document& document);

    bool contains(const std::string& name) const;
    std::optional<DataType> get(const std::string& name) const;
    std::vector<DataType> all() const;

private:
    TypeRegistry() = default;

    mutable std::mutex _mutex;
    std::map<std::string, DataType> _types;
};

} // namespace kirogen::model
