#pragma once

#include <kirogen/sdf/ActorType.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace util {
class XmlSerializer;
}
namespace util::xml {
class Document;
}

namespace kirogen::sdf {

// Every function-block type the kit knows, read from the XML files of the units/ directories.
class ActorTypeRegistry
{
public:
    static ActorTypeRegistry& singleton();

    // Reads every *.xml file of the directory (validated against units.xsd). Throws
    // std::runtime_error naming the file and line of the first fault; types read before the
    // fault stay known. Loading a file again replaces the types it declared before.
    // beforeFile, when given, is told each file's path just before it is read.
    void loadActorTypes(const std::string& dir,
                        const std::function<void(const std::string&)>& beforeFile = {});
    // Reads the types of one validated actor-type document, named by its path; the same
    // faults throw, and loading a path again replaces what it declared before.
    void loadDocument(const util::xml::Document& document);

    // Empty when the id is unknown.
    std::shared_ptr<const ActorType> get(const std::string& typeId) const;
    // In id order.
    std::vector<std::shared_ptr<const ActorType>> all() const;

private:
    ActorTypeRegistry() = default;

    void loadFile(const std::string& path, util::XmlSerializer& serializer);

    struct Entry
    {
        std::shared_ptr<const ActorType> type;
        std::string file;
    };

    mutable std::mutex _mutex;
    std::map<std::string, Entry> _types;
};

} // namespace kirogen::sdf
