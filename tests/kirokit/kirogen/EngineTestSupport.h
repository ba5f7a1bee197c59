#pragma once

#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lum/cv/Cv.h>
#include <lum/navigation/Navigation.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>

#include <memory>
#include <string>
#include <vector>

// The registries as the interpreter loads them, and projects and diagrams written in a line.
namespace enginetest {

// Once per test program, as the device-type registry refuses a second load of a file.
inline void loadSystem()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
    kirogen::model::TypeRegistry::loadTypes(TAVVIEW_DIST_DIR "/config/types.xml");
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(TAVVIEW_DIST_DIR "/devices");
    lum::cv::init();
    lum::navigation::init();
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");
}

// A project read from a document with these global variables, programs and devices.
inline std::shared_ptr<kirogen::model::Project>
project(const std::string& variables, const std::string& programs, const std::string& devices = "")
{
    const std::string text = "<?xml version=\"1.0\"?>\n"
                             "<project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1\" "
                             "xsi:noNamespaceSchemaLocation=\"project.xsd\">\n"
                             "<globalVariables>" +
                             variables + "</globalVariables><devices>" + devices +
                             "</devices>\n<programs>\n" + programs + "</programs>\n</project>\n";
    const util::xml::DocumentPtr document(
        util::XmlSerializer().loadFromMem(text.data(), text.size(), true, "test.tkp2"));
    return kirogen::model::Project::create(
        document->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
}

inline kirogen::model::FunctionBlock block(std::string id, std::string type,
                                           kirogen::model::FunctionBlock::Parameters parameters = {},
                                           int line = 0)
{
    kirogen::model::FunctionBlock block;
    block.id = std::move(id);
    block.typeId = std::move(type);
    block.parameters = std::move(parameters);
    block.line = line;
    return block;
}

// From "block.port" to "block.port".
inline kirogen::model::DataLink wire(const std::string& from, const std::string& to, int line = 0)
{
    const auto split = [](const std::string& end) {
        const auto dot = end.find('.');
        return std::make_pair(end.substr(0, dot), end.substr(dot + 1));
    };
    kirogen::model::DataLink link;
    std::tie(link.fromBlock, link.fromPort) = split(from);
    std::tie(link.toBlock, link.toPort) = split(to);
    link.line = line;
    return link;
}

} // namespace enginetest
