#pragma once

#include <kirogen/model/EditorLayout.h>
#include <kirogen/model/Protection.h>
#include <lum/core/Variant.h>
#include <util/XTime.h>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kirogen::device::model {
class DeviceInstance;
}

namespace kirogen::gen::session {
class SerializationIdSession;
}

namespace kirogen::model {

class FunctionBlockDiagram;
class Project;
class SfcModel;

// The one way to change a project after it was built. Every change is checked first and
// refused (false, the reason in *error, nothing changed) when it would leave a project that
// could not be saved and read back: names stay unique and valid, values fit their types,
// and nothing a program refers to disappears. Programs are checked as the engine compiles
// them.
class ProjectEditor
{
public:
    explicit ProjectEditor(std::shared_ptr<Project> project);

    // A project without variables, devices or programs.
    static std::shared_ptr<Project> createEmpty(std::shared_ptr<gen::session::SerializationIdSession> session,
                                                util::XTime time);

    bool addGlobalVariable(const std::string& name, const std::string& typeName,
                           const lum::core::variant::Variant& initialValue, std::string* error);
    bool removeGlobalVariable(const std::string& name, std::string* error);
    // Refused while a program uses the variable: its blocks and conditions name it.
    bool renameGlobalVariable(const std::string& name, const std::string& newName, std::string* error);
    // Also the variable's present value, as a run starts from it.
    bool setInitialValue(const std::string& name, const lum::core::variant::Variant& value,
                         std::string* error);

    // At the index in the project's device order (the end when beyond it). The device must
    // have been made for this project.
    bool insertDevice(const std::shared_ptr<device::model::DeviceInstance>& device, std::size_t index,
                      std::string* error);
    bool removeDevice(const std::string& name, std::string* error);
    // A device's parameter or configuration value, read from the value's text in the type the
    // device type declares for it. A parameter takes effect at the device's next connect.
    bool setDeviceParameter(const std::string& device, const std::string& name,
                            const lum::core::variant::Variant& value, std::string* error);
    bool setDeviceConfigValue(const std::string& device, const std::string& name,
                              const lum::core::variant::Variant& value, std::string* error);

    bool addDiagram(const std::shared_ptr<FunctionBlockDiagram>& diagram, std::string* error);
    // Puts a changed diagram in place of the one of the same name.
    bool replaceDiagram(const std::shared_ptr<FunctionBlockDiagram>& diagram, std::string* error);
    // Refused while a step runs it; a tab showing it is closed.
    bool removeDiagram(const std::string& name, std::string* error);
    // At the index among the sequence charts; the first is the main program.
    bool insertSfc(const std::shared_ptr<SfcModel>& sfc, std::size_t index, std::string* error);
    // Puts a changed sequence chart in place of the one of the same name, keeping its index.
    bool replaceSfc(const std::shared_ptr<SfcModel>& sfc, std::string* error);
    // A tab showing it is closed.
    bool removeSfc(const std::string& name, std::string* error);
    // Renames a diagram or a sequence chart; the steps that run a renamed diagram and the tabs
    // follow. The new name follows the rule of global-variable names and is no other program's.
    bool renameProgram(const std::string& name, const std::string& newName, std::string* error);

    // Only programs of the project as tabs; the current tab one of them, or none.
    bool setLayout(const EditorLayout& layout, std::string* error);
    void setProtection(const Protection& protection);

    // Where a program uses the variable or device ("diagram \"x\", block \"y\""); empty when unused.
    std::vector<std::string> usesOfGlobalVariable(const std::string& name) const;
    std::vector<std::string> usesOfDevice(const std::string& name) const;
    // A program of either kind has that name.
    bool hasProgram(const std::string& name) const;
    // The program (a diagram's blocks, a chart's conditions) names the global variable.
    bool programUsesGlobalVariable(const std::string& program, const std::string& variable) const;

private:
    bool refuse(std::string* error, const std::string& reason) const;
    // The value's text read as the type; false with the reason when it does not fit.
    bool convert(const lum::core::variant::Variant& value, const std::string& typeName,
                 lum::core::variant::Variant* converted, std::string* error) const;
    bool checkDiagram(const FunctionBlockDiagram& diagram, std::string* error) const;
    bool checkSfc(const SfcModel& sfc, std::string* error) const;
    void closeTab(const std::string& program);

    std::shared_ptr<Project> _project;
};

} // namespace kirogen::model
