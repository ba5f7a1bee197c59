#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/CompiledDiagram.h>
#include <kirogen/sim/Program.h>
#include <lum/core/Serializer.h>
#include <algorithm>
#include <stdexcept>

namespace kirogen::model {

using lum::core::variant::Variant;

namespace {

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether the condition names the variable: the name standing as a word of its own.
bool mentions(const std::string& condition, const std::string& name)
{
    for (std::size_t at = condition.find(name); at != std::string::npos; at = condition.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || !isNameCharacter(condition[at - 1])) &&
            (end == condition.size() || !isNameCharacter(condition[end])))
            return true;
    }
    return false;
}

std::string parameter(const FunctionBlock& block, const char* name)
{
    const auto found = block.parameters.find(name);
    return found == block.parameters.end() ? std::string() : found->second;
}

} // namespace

ProjectEditor::ProjectEditor(std::shared_ptr<Project> project) : _project(std::move(project))
{
    if (!_project)
        throw std::invalid_argument("a project editor needs a project");
}

std::shared_ptr<Project>
ProjectEditor::createEmpty(std::shared_ptr<gen::session::SerializationIdSession> session, util::XTime time)
{
    std::shared_ptr<Project> project(
        new Project(session ? std::move(session) : gen::session::SerializationIdSession::create(), time));
    project->_sourceName = "project";
    return project;
}

bool ProjectEditor::refuse(std::string* error, const std::string& reason) const
{
    if (error)
        *error = reason;
    return false;
}

bool ProjectEditor::convert(const Variant& value, const std::string& typeName, Variant* converted,
                            std::string* error) const
{
    bool ok = false;
    const std::string text = value.toString(&ok);
    if (ok)
        *converted = lum::core::variant::Serializer::singleton().load(text, typeName, &ok);
    return ok || refuse(error, "\"" + text + "\" is no " + typeName);
}

bool ProjectEditor::addGlobalVariable(const std::string& name, const std::string& typeName,
                                      const Variant& initialValue, std::string* error)
{
    if (!GlobalVariable::isValidName(name))
        return refuse(error, "\"" + name + "\" is no valid global-variable name");
    if (_project->_globalVariables.count(name))
        return refuse(error, "there is already a global variable \"" + name + "\"");
    if (!TypeRegistry::singleton().contains(typeName))
        return refuse(error, "the data type \"" + typeName + "\" is unknown");
    // The value must read back as this type from the text the file will hold.
    bool ok = false;
    const std::string text = initialValue.toString(&ok);
    Variant value = ok ? lum::core::variant::Serializer::singleton().load(text, typeName, &ok) : Variant();
    if (!ok)
        return refuse(error, "\"" + text + "\" is no " + typeName);
    auto variable = std::make_shared<GlobalVariable>(name, typeName, std::move(value));
    const std::string_view key = variable->getVarName();
    _project->_globalVariables.emplace(key, std::move(variable));
    return true;
}

bool ProjectEditor::removeGlobalVariable(const std::string& name, std::string* error)
{
    const auto found = _project->_globalVariables.find(name);
    if (found == _project->_globalVariables.end())
        return refuse(error, "there is no global variable \"" + name + "\"");
    const std::vector<std::string> uses = usesOfGlobalVariable(name);
    if (!uses.empty())
        return refuse(error, "global variable \"" + name + "\" is used by " + uses.front());
    _project->_globalVariables.erase(found);
    return true;
}

bool ProjectEditor::renameGlobalVariable(const std::string& name, const std::string& newName,
                                         std::string* error)
{
    const std::shared_ptr<GlobalVariable> variable = _project->globalVariable(name);
    if (!variable)
        return refuse(error, "there is no global variable \"" + name + "\"");
    if (name == newName)
        return true;
    if (!GlobalVariable::isValidName(newName))
        return refuse(error, "\"" + newName + "\" is no valid global-variable name");
    if (_project->_globalVariables.count(newName))
        return refuse(error, "there is already a global variable \"" + newName + "\"");
    const std::vector<std::string> uses = usesOfGlobalVariable(name);
    if (!uses.empty())
        return refuse(error, "global variable \"" + name + "\" is used by " + uses.front());
    // A variable's name is fixed: the renamed one is a new variable with the same value.
    auto renamed = std::make_shared<GlobalVariable>(newName, variable->typeName(), variable->initialValue());
    _project->_globalVariables.erase(name);
    const std::string_view key = renamed->getVarName();
    _project->_globalVariables.emplace(key, std::move(renamed));
    return true;
}

bool ProjectEditor::setInitialValue(const std::string& name, const Variant& value, std::string* error)
{
    const std::shared_ptr<GlobalVariable> variable = _project->globalVariable(name);
    if (!variable)
        return refuse(error, "there is no global variable \"" + name + "\"");
    Variant converted;
    if (!convert(value, variable->typeName(), &converted, error))
        return false;
    variable->setInitialValue(converted);
    variable->reset();
    return true;
}

bool ProjectEditor::insertDevice(const std::shared_ptr<device::model::DeviceInstance>& device,
                                 std::size_t index, std::string* error)
{
    if (!device || !device->deviceType())
        return refuse(error, "there is no device to add");
    if (device->project() != _project)
        return refuse(error, "device \"" + device->instanceName() + "\" belongs to another project");
    if (_project->_devicesByName.count(device->instanceName()))
        return refuse(error, "there is already a device \"" + device->instanceName() + "\"");
    auto& devices = _project->_devices;
    devices.insert(devices.begin() + static_cast<std::ptrdiff_t>(std::min(index, devices.size())), device);
    _project->_devicesByName.emplace(device->instanceName(), device);
    return true;
}

bool ProjectEditor::removeDevice(const std::string& name, std::string* error)
{
    const auto found = _project->_devicesByName.find(name);
    if (found == _project->_devicesByName.end())
        return refuse(error, "there is no device \"" + name + "\"");
    const std::vector<std::string> uses = usesOfDevice(name);
    if (!uses.empty())
        return refuse(error, "device \"" + name + "\" is used by " + uses.front());
    auto& devices = _project->_devices;
    devices.erase(std::find(devices.begin(), devices.end(), found->second));
    _project->_devicesByName.erase(found);
    return true;
}

bool ProjectEditor::checkDiagram(const FunctionBlockDiagram& diagram, std::string* error) const
{
    for (const FunctionBlock& block : diagram.blocks()) {
        if (block.id.empty())
            return refuse(error, "a block of diagram \"" + diagram.name() + "\" has no id");
    }
    try {
        sdf::CompiledDiagram(diagram, _project, _project->sourceName());
    } catch (const std::exception& e) {
        return refuse(error, e.what());
    }
    return true;
}

bool ProjectEditor::setDeviceParameter(const std::string& device, const std::string& name,
                                       const Variant& value, std::string* error)
{
    const std::shared_ptr<device::model::DeviceInstance> instance = _project->device(device);
    if (!instance)
        return refuse(error, "there is no device \"" + device + "\"");
    const device::model::DeviceSetting* setting = instance->deviceType()->parameter(name);
    if (!setting)
        return refuse(error, "device \"" + device + "\" has no parameter \"" + name + "\"");
    Variant converted;
    if (!convert(value, setting->typeName, &converted, error))
        return false;
    instance->setParameter(name, converted);
    return true;
}

bool ProjectEditor::setDeviceConfigValue(const std::string& device, const std::string& name,
                                         const Variant& value, std::string* error)
{
    const std::shared_ptr<device::model::DeviceInstance> instance = _project->device(device);
    if (!instance)
        return refuse(error, "there is no device \"" + device + "\"");
    const std::shared_ptr<Variable> variable = instance->configVariable(name);
    if (!variable)
        return refuse(error, "device \"" + device + "\" has no configuration value \"" + name + "\"");
    Variant converted;
    if (!convert(value, variable->typeName(), &converted, error))
        return false;
    variable->setInitialValue(converted);
    variable->reset();
    return true;
}

bool ProjectEditor::addDiagram(const std::shared_ptr<FunctionBlockDiagram>& diagram, std::string* error)
{
    if (!diagram || diagram->name().empty())
        return refuse(error, "a program needs a name");
    if (hasProgram(diagram->name()))
        return refuse(error, "there is already a program \"" + diagram->name() + "\"");
    if (!checkDiagram(*diagram, error))
        return false;
    _project->_diagrams.emplace(diagram->name(), diagram);
    return true;
}

bool ProjectEditor::replaceDiagram(const std::shared_ptr<FunctionBlockDiagram>& diagram, std::string* error)
{
    if (!diagram)
        return refuse(error, "there is no diagram");
    const auto found = _project->_diagrams.find(diagram->name());
    if (found == _project->_diagrams.end())
        return refuse(error, "there is no diagram \"" + diagram->name() + "\"");
    if (!checkDiagram(*diagram, error))
        return false;
    found->second = diagram;
    return true;
}

bool ProjectEditor::removeDiagram(const std::string& name, std::string* error)
{
    const auto found = _project->_diagrams.find(name);
    if (found == _project->_diagrams.end())
        return refuse(error, "there is no diagram \"" + name + "\"");
    for (const auto& sfc : _project->_sfcModels) {
        for (const SfcStep& step : sfc->steps()) {
            if (step.diagram == name)
                return refuse(error, "diagram \"" + name + "\" is run by step \"" + step.name +
                                         "\" of sequence chart \"" + sfc->name() + "\"");
        }
    }
    _project->_diagrams.erase(found);
    closeTab(name);
    return true;
}

bool ProjectEditor::checkSfc(const SfcModel& sfc, std::string* error) const
{
    for (const SfcStep& step : sfc.steps()) {
        if (step.name.empty())
            return refuse(error, "a step of sequence chart \"" + sfc.name() + "\" has no name");
    }
    try {
        sim::Program(_project, sfc, _project->sourceName());
    } catch (const std::exception& e) {
        return refuse(error, e.what());
    }
    return true;
}

bool ProjectEditor::insertSfc(const std::shared_ptr<SfcModel>& sfc, std::size_t index, std::string* error)
{
    if (!sfc || sfc->name().empty())
        return refuse(error, "a program needs a name");
    if (hasProgram(sfc->name()))
        return refuse(error, "there is already a program \"" + sfc->name() + "\"");
    if (!checkSfc(*sfc, error))
        return false;
    auto& charts = _project->_sfcModels;
    charts.insert(charts.begin() + static_cast<std::ptrdiff_t>(std::min(index, charts.size())), sfc);
    return true;
}

bool ProjectEditor::replaceSfc(const std::shared_ptr<SfcModel>& sfc, std::string* error)
{
    if (!sfc)
        return refuse(error, "there is no sequence chart");
    auto& charts = _project->_sfcModels;
    const auto found = std::find_if(charts.begin(), charts.end(),
                                    [&sfc](const auto& chart) { return chart->name() == sfc->name(); });
    if (found == charts.end())
        return refuse(error, "there is no sequence chart \"" + sfc->name() + "\"");
    if (!checkSfc(*sfc, error))
        return false;
    *found = sfc;
    return true;
}

bool ProjectEditor::removeSfc(const std::string& name, std::string* error)
{
    auto& charts = _project->_sfcModels;
    const auto found =
        std::find_if(charts.begin(), charts.end(), [&name](const auto& sfc) { return sfc->name() == name; });
    if (found == charts.end())
        return refuse(error, "there is no sequence chart \"" + name + "\"");
    charts.erase(found);
    closeTab(name);
    return true;
}

bool ProjectEditor::renameProgram(const std::string& name, const std::string& newName, std::string* error)
{
    if (!hasProgram(name))
        return refuse(error, "there is no program \"" + name + "\"");
    if (name == newName)
        return true;
    if (newName.empty())
        return refuse(error, "a program needs a name");
    if (!GlobalVariable::isValidName(newName))
        return refuse(error, "\"" + newName +
                                 "\" is no valid program name: it starts with a letter or _ and has only "
                                 "letters, digits and _");
    if (hasProgram(newName))
        return refuse(error, "there is already a program \"" + newName + "\"");
    // Programs keep their names: the renamed one is a copy under the new name.
    const auto diagram = _project->_diagrams.find(name);
    if (diagram != _project->_diagrams.end()) {
        const FunctionBlockDiagram& old = *diagram->second;
        auto renamed = std::make_shared<FunctionBlockDiagram>(newName, old.blocks(), old.links(), old.line());
        _project->_diagrams.erase(diagram);
        _project->_diagrams.emplace(newName, std::move(renamed));
    }
    for (auto& sfc : _project->_sfcModels) {
        std::vector<SfcStep> steps = sfc->steps();
        bool runsIt = false;
        for (SfcStep& step : steps) {
            if (step.diagram == name) {
                step.diagram = newName;
                runsIt = true;
            }
        }
        if (runsIt || sfc->name() == name)
            sfc = std::make_shared<SfcModel>(sfc->name() == name ? newName : sfc->name(), std::move(steps),
                                             sfc->transitions(), sfc->line());
    }
    EditorLayout& layout = _project->_layout;
    std::replace(layout.openTabs.begin(), layout.openTabs.end(), name, newName);
    if (layout.currentTab == name)
        layout.currentTab = newName;
    return true;
}

bool ProjectEditor::setLayout(const EditorLayout& layout, std::string* error)
{
    for (const std::string& tab : layout.openTabs) {
        if (!hasProgram(tab))
            return refuse(error, "there is no program \"" + tab + "\" to show in a tab");
    }
    if (!layout.currentTab.empty() &&
        std::find(layout.openTabs.begin(), layout.openTabs.end(), layout.currentTab) == layout.openTabs.end())
        return refuse(error, "the current tab \"" + layout.currentTab + "\" is not open");
    _project->_layout = layout;
    return true;
}

void ProjectEditor::setProtection(const Protection& protection)
{
    _project->_protection = protection;
}

void ProjectEditor::closeTab(const std::string& program)
{
    EditorLayout& layout = _project->_layout;
    layout.openTabs.erase(std::remove(layout.openTabs.begin(), layout.openTabs.end(), program),
                          layout.openTabs.end());
    if (layout.currentTab == program)
        layout.currentTab = layout.openTabs.empty() ? std::string() : layout.openTabs.front();
}

std::vector<std::string> ProjectEditor::usesOfGlobalVariable(const std::string& name) const
{
    std::vector<std::string> uses;
    for (const auto& entry : _project->_diagrams) {
        for (const FunctionBlock& block : entry.second->blocks()) {
            if ((block.typeId == "gvread" || block.typeId == "gvwrite") &&
                parameter(block, "variable") == name)
                uses.push_back("diagram \"" + entry.first + "\", block \"" + block.id + "\"");
        }
    }
    for (const auto& sfc : _project->_sfcModels) {
        for (const SfcTransition& transition : sfc->transitions()) {
            if (mentions(transition.condition, name))
                uses.push_back("sequence chart \"" + sfc->name() + "\", transition \"" + transition.from +
                               "\" -> \"" + transition.to + "\"");
        }
    }
    return uses;
}

std::vector<std::string> ProjectEditor::usesOfDevice(const std::string& name) const
{
    std::vector<std::string> uses;
    for (const auto& entry : _project->_diagrams) {
        for (const FunctionBlock& block : entry.second->blocks()) {
            if ((block.typeId == "devin" || block.typeId == "devout") && parameter(block, "device") == name)
                uses.push_back("diagram \"" + entry.first + "\", block \"" + block.id + "\"");
        }
    }
    return uses;
}

bool ProjectEditor::programUsesGlobalVariable(const std::string& program, const std::string& variable) const
{
    if (const auto diagram = _project->diagram(program)) {
        return std::any_of(diagram->blocks().begin(), diagram->blocks().end(),
                           [&variable](const FunctionBlock& b) {
                               return (b.typeId == "gvread" || b.typeId == "gvwrite") &&
                                      parameter(b, "variable") == variable;
                           });
    }
    for (const auto& sfc : _project->_sfcModels) {
        if (sfc->name() != program)
            continue;
        return std::any_of(sfc->transitions().begin(), sfc->transitions().end(),
                           [&variable](const SfcTransition& t) { return mentions(t.condition, variable); });
    }
    return false;
}

bool ProjectEditor::hasProgram(const std::string& name) const
{
    if (_project->_diagrams.count(name))
        return true;
    return std::any_of(_project->_sfcModels.begin(), _project->_sfcModels.end(),
                       [&name](const auto& sfc) { return sfc->name() == name; });
}

} // namespace kirogen::model
