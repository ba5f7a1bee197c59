// A registry file: data types, actor types or a device type, read and validated as the
// interpreter reads them at start-up, by one serializer that keeps its schema grammars.
#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <util/XmlError.h>
#include <util/XmlSerializer.h>
#include <util/xml/Element.h>
#include <FuzzEnvironment.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

util::XmlSerializer* g_serializer = nullptr;
// Actor types declaring nothing, under the input's name: loaded after each input, they take back
// what it declared, so that no input reads against the one before and the registry never grows.
util::xml::DocumentPtr g_noActorTypes;
const char* const g_inputName = "fuzz-input.xml";

void readRegistryFile(const util::xml::Document& document)
{
    const util::xml::Element* root = document.root();
    if (root->name() == "types") {
        kirogen::model::TypeRegistry::typesOf(document);
    } else if (root->name() == "units") {
        kirogen::sdf::ActorTypeRegistry::singleton().loadDocument(document);
    } else if (root->name() == "deviceType") {
        const auto type = kirogen::device::model::DeviceType::fromXml(root, document.path());
        type->createDeviceInstance(nullptr, "device");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::application();
    fuzz::loadShippedSystem();
    g_serializer = new util::XmlSerializer;
    static const char noActorTypes[] = "<units/>";
    g_noActorTypes = g_serializer->loadFromMem(noActorTypes, sizeof noActorTypes - 1, false, g_inputName);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const util::xml::DocumentPtr document =
            g_serializer->loadFromMem(reinterpret_cast<const char*>(data), size, true, g_inputName);
        readRegistryFile(*document);
    } catch (const std::runtime_error&) {
        // Refused with a message, as the interpreter reports it (util::XmlError among them).
    }
    kirogen::sdf::ActorTypeRegistry::singleton().loadDocument(*g_noActorTypes);
    return 0;
}
