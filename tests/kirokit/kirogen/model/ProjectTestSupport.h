#pragma once

#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>

#include <memory>
#include <string>

// Loads documents and projects the way the interpreter does, with the shipped schemas and types.
namespace projecttest {

// Once per test program: the registries are process-wide.
inline void loadSystem()
{
    static const bool loaded = [] {
        util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
        kirogen::model::TypeRegistry::loadTypes(TAVVIEW_DIST_DIR "/config/types.xml");
        kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");
        kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(TAVVIEW_DIST_DIR "/devices");
        return true;
    }();
    (void)loaded;
}

inline std::shared_ptr<kirogen::model::Project> fromText(const std::string& text, const std::string& name,
                                                         bool validate = true)
{
    const util::xml::DocumentPtr doc(
        util::XmlSerializer().loadFromMem(text.data(), text.size(), validate, name));
    return kirogen::model::Project::create(
        doc->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
}

inline std::shared_ptr<kirogen::model::Project> fromFile(const std::string& path)
{
    const util::xml::DocumentPtr doc(util::XmlSerializer().load(path, true));
    return kirogen::model::Project::create(
        doc->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
}

} // namespace projecttest
