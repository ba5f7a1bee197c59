#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/DiagramCheck.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectReader.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/model/TypeRegistry.h>
#include <lum/core/Serializer.h>
#include <util/xml/Document.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

namespace kirogen::model {

using lum::core::variant::Serializer;
using util::xml::Element;

namespace {

constexpr const char* formatVersion = "1";

std::string sourceNameOf(const Element* root)
{
    const std::string& path = root->document().path();
    return path.empty() ? std::string("project") : path;
}

} // namespace

ProjectReader::ProjectReader(std::shared_ptr<Project> project) : _project(std::move(project))
{
}

void ProjectReader::fail(const Element* at, const std::string& message) const
{
    throw std::runtime_error(_file + ':' + std::to_string(at ? at->line() : 0) + ": " + message);
}

std::string ProjectReader::required(const Element* element, const char* name) const
{
    const std::optional<std::string_view> value = element->attribute(name);
    if (!value)
        fail(element, "<" + std::string(element->name()) + "> has no attribute \"" + name + "\"");
    return std::string(*value);
}

double ProjectReader::number(const Element* element, const char* name) const
{
    const std::optional<std::string_view> attribute = element->attribute(name);
    if (!attribute)
        return 0;
    const std::string text(*attribute);
    bool ok = false;
    const double value = Serializer::singleton().load(text, "double", &ok).get<double>();
    if (!ok)
        fail(element, "attribute \"" + std::string(name) + "\" is no number: \"" + text + "\"");
    return value;
}

Position ProjectReader::position(const Element* element) const
{
    return Position{number(element, "x"), number(element, "y")};
}

const Element* ProjectReader::section(const Element* root, const char* name) const
{
    const auto elements = root->children(name);
    if (elements.size() > 1)
        fail(elements[1], "more than one <" + std::string(name) + ">");
    return elements.empty() ? nullptr : elements.front();
}

void ProjectReader::read(const Element* root)
{
    _file = sourceNameOf(root);
    _project->_sourceName = _file;
    if (std::string(root->name()) != "project")
        fail(root, "<" + std::string(root->name()) + "> is no project");
    if (root->hasAttribute("version") && root->attributeValue("version") != formatVersion)
        fail(root, "project format version \"" + root->attributeValue("version") + "\" is not supported");

    static const std::set<std::string> sections{"globalVariables", "devices", "programs", "layout",
                                                "protection"};
    for (const Element* child : root->children()) {
        if (!sections.count(std::string(child->name())))
            fail(child, "unexpected element <" + std::string(child->name()) + ">");
    }
    // References point backwards only: programs use variables and devices, the layout programs.
    if (const Element* s = section(root, "globalVariables"))
        readVariables(s);
    if (const Element* s = section(root, "devices"))
        readDevices(s);
    if (const Element* s = section(root, "programs"))
        readPrograms(s);
    if (const Element* s = section(root, "layout"))
        readLayout(s);
    if (const Element* s = section(root, "protection"))
        readProtection(s);
}

void ProjectReader::readVariables(const Element* section)
{
    const TypeRegistry& types = TypeRegistry::singleton();
    // A project uses a handful of types for thousands of variables: ask the registry once each.
    std::map<std::string, std::optional<DataType>> knownTypes;
    const auto elements = section->children("variable");
    // Saved projects list their variables in name order: they are appended and handed to the
    // map at once. Only other orders pay for a set of the names seen and a sort.
    Project::GlobalVariableMap::sequence_type variables;
    variables.reserve(elements.size());
    std::unordered_set<std::string_view> seen;
    bool inOrder = true;
    for (const Element* element : elements) {
        std::string name = required(element, "name");
        const std::string typeName = required(element, "type");
        if (!GlobalVariable::isValidName(name))
            fail(element, "\"" + name + "\" is no valid global-variable name");
        auto known = knownTypes.lower_bound(typeName);
        if (known == knownTypes.end() || known->first != typeName)
            known = knownTypes.emplace_hint(known, typeName, types.get(typeName));
        const std::optional<DataType>& type = known->second;
        if (!type)
            fail(element, "global variable \"" + name + "\" has the unknown data type \"" + typeName + "\"");
        lum::core::variant::Variant initial = type->defaultValue;
        if (const std::optional<std::string_view> value = element->attribute("value")) {
            const std::string text(*value);
            bool ok = false;
            initial = Serializer::singleton().load(text, typeName, &ok);
            if (!ok)
                fail(element, "value \"" + text + "\" of global variable \"" + name + "\" is no " + typeName);
        }
        if (inOrder && !variables.empty() && !(variables.back().first < name)) {
            inOrder = false;
            for (const auto& entry : variables)
                seen.insert(entry.first);
        }
        if (!inOrder && seen.count(name))
            fail(element, "global variable \"" + name + "\" is declared twice");
        auto variable = std::make_shared<GlobalVariable>(std::move(name), typeName, std::move(initial));
        const std::string_view key = variable->getVarName();
        if (!inOrder)
            seen.insert(key);
        variables.emplace_back(key, std::move(variable));
    }
    if (!inOrder)
        std::sort(variables.begin(), variables.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    _project->_globalVariables.adopt_sequence(boost::container::ordered_unique_range, std::move(variables));
}

void ProjectReader::readDevices(const Element* section)
{
    const auto& registry = device::model::DeviceTypeRegistry::singleton();
    for (const Element* element : section->children()) {
        if (std::string(element->name()) != "device")
            fail(element, "unexpected element <" + std::string(element->name()) + ">");
        const std::string typeId = required(element, "type");
        const std::string name = required(element, "name");
        const auto type = registry.getByXmlId(typeId);
        if (!type)
            fail(element, "device \"" + name + "\" has the unknown device type \"" + typeId + "\"");
        if (_project->_devicesByName.count(name))
            fail(element, "device \"" + name + "\" is declared twice");
        auto instance = type->createDeviceInstance(_project, name);
        if (!instance)
            fail(element, "device \"" + name + "\" of type \"" + typeId + "\" cannot be created");
        instance->loadXml(element);
        _project->_devices.push_back(instance);
        _project->_devicesByName.emplace(name, std::move(instance));
    }
}

void ProjectReader::readPrograms(const Element* section)
{
    std::set<std::string> names;
    auto claimName = [&](const Element* element) {
        const std::string name = required(element, "name");
        if (name.empty())
            fail(element, "a program needs a name");
        if (!names.insert(name).second)
            fail(element, "program \"" + name + "\" is declared twice");
    };
    for (const Element* element : section->children("fbd")) {
        claimName(element);
        auto diagram = readDiagram(element);
        _project->_diagrams.emplace(diagram->name(), std::move(diagram));
    }
    for (const Element* element : section->children("sfc")) {
        claimName(element);
        _project->_sfcModels.push_back(readSfc(element));
    }
    for (const Element* element : section->children()) {
        const std::string name = std::string(element->name());
        if (name != "fbd" && name != "sfc")
            fail(element, "unexpected element <" + name + ">");
    }
}

std::shared_ptr<FunctionBlockDiagram> ProjectReader::readDiagram(const Element* element) const
{
    const std::string name = required(element, "name");

    const auto blockElements = element->children("block");
    std::vector<FunctionBlock> blocks;
    blocks.reserve(blockElements.size());
    for (const Element* blockElement : blockElements) {
        FunctionBlock block;
        block.id = required(blockElement, "id");
        block.typeId = required(blockElement, "type");
        block.position = position(blockElement);
        block.line = blockElement->line();
        for (const Element* parameter : blockElement->children("parameter")) {
            const std::string parameterName = required(parameter, "name");
            if (!block.parameters.emplace(parameterName, required(parameter, "value")).second)
                fail(parameter, "parameter \"" + parameterName + "\" is given twice");
        }
        blocks.push_back(std::move(block));
    }

    const auto linkElements = element->children("link");
    std::vector<DataLink> links;
    links.reserve(linkElements.size());
    for (const Element* linkElement : linkElements) {
        DataLink link;
        link.fromBlock = required(linkElement, "from");
        link.fromPort = required(linkElement, "fromPort");
        link.toBlock = required(linkElement, "to");
        link.toPort = required(linkElement, "toPort");
        link.line = linkElement->line();
        links.push_back(std::move(link));
    }

    auto diagram =
        std::make_shared<FunctionBlockDiagram>(name, std::move(blocks), std::move(links), element->line());
    if (const std::optional<DiagramProblem> problem = DiagramCheck(_project.get()).check(*diagram)) {
        const Element* at = problem->subject == DiagramProblem::Link ? linkElements[problem->index]
                                                                     : blockElements[problem->index];
        if (problem->subject == DiagramProblem::Parameter) {
            const auto parameters = at->children("parameter");
            const auto named =
                std::find_if(parameters.begin(), parameters.end(), [&problem](const Element* p) {
                    return p->attribute("name") == problem->parameter;
                });
            at = *named;
        }
        fail(at, problem->message);
    }
    // The check made the block ids unique within the diagram.
    gen::session::SerializationIdSession& session = *_project->_session;
    const std::string idScope = _project->id().toString() + "/fbd/" + name;
    for (const FunctionBlock& block : diagram->blocks())
        session.claim(idScope, block.id);
    return diagram;
}

std::shared_ptr<SfcModel> ProjectReader::readSfc(const Element* element) const
{
    const std::string name = required(element, "name");
    std::vector<SfcStep> steps;
    std::set<std::string> stepNames;
    const Element* firstInitial = nullptr;
    for (const Element* stepElement : element->children("step")) {
        SfcStep step;
        step.name = required(stepElement, "name");
        step.diagram = stepElement->attributeValue("diagram");
        step.position = position(stepElement);
        step.line = stepElement->line();
        if (stepElement->hasAttribute("initial")) {
            bool ok = false;
            step.initial =
                Serializer::singleton().load(stepElement->attributeValue("initial"), "bool", &ok).get<bool>();
            if (!ok)
                fail(stepElement, "attribute \"initial\" is no bool");
        }
        if (step.name.empty() || !stepNames.insert(step.name).second)
            fail(stepElement, "step \"" + step.name + "\" is declared twice in chart \"" + name + "\"");
        if (!step.diagram.empty() && !_project->diagram(step.diagram))
            fail(stepElement, "step \"" + step.name + "\" runs the unknown diagram \"" + step.diagram + "\"");
        if (step.initial) {
            if (firstInitial)
                fail(stepElement, "chart \"" + name + "\" has more than one initial step");
            firstInitial = stepElement;
        }
        steps.push_back(std::move(step));
    }
    if (!firstInitial)
        fail(element, "chart \"" + name + "\" has no initial step");

    std::vector<SfcTransition> transitions;
    for (const Element* transitionElement : element->children("transition")) {
        SfcTransition transition;
        transition.from = required(transitionElement, "from");
        transition.to = required(transitionElement, "to");
        transition.condition = required(transitionElement, "condition");
        transition.line = transitionElement->line();
        for (const std::string* step : {&transition.from, &transition.to}) {
            if (!stepNames.count(*step))
                fail(transitionElement, "transition to or from the unknown step \"" + *step + "\"");
        }
        transitions.push_back(std::move(transition));
    }
    return std::make_shared<SfcModel>(name, std::move(steps), std::move(transitions), element->line());
}

void ProjectReader::readLayout(const Element* section)
{
    EditorLayout layout;
    auto isProgram = [this](const std::string& name) {
        if (_project->diagram(name))
            return true;
        for (const auto& sfc : _project->sfcModels()) {
            if (sfc->name() == name)
                return true;
        }
        return false;
    };
    for (const Element* tab : section->children("tab")) {
        const std::string program = required(tab, "program");
        if (!isProgram(program))
            fail(tab, "tab of the unknown program \"" + program + "\"");
        layout.openTabs.push_back(program);
    }
    layout.currentTab = section->attributeValue("current");
    if (!layout.currentTab.empty() &&
        std::find(layout.openTabs.begin(), layout.openTabs.end(), layout.currentTab) == layout.openTabs.end())
        fail(section, "current tab \"" + layout.currentTab + "\" is not open");
    _project->_layout = std::move(layout);
}

void ProjectReader::readProtection(const Element* section)
{
    auto hex = [&](const char* name) {
        const QByteArray text = QByteArray::fromStdString(required(section, name));
        const QByteArray bytes = QByteArray::fromHex(text);
        if (bytes.toHex() != text.toLower())
            fail(section, std::string("protection ") + name + " is no hexadecimal text");
        return bytes;
    };
    const QByteArray salt = hex("salt");
    const QByteArray hash = hex("hash");
    if (!_project->_protection.restore(salt, hash))
        fail(section, "protection salt or hash has the wrong length");
}

} // namespace kirogen::model
