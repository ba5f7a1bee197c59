#pragma once

#include <lum/core/Variant.h>
#include <lumlink/project/commands/Command.h>
#include <memory>
#include <string>
#include <vector>

namespace kirogen::model {
class FunctionBlockDiagram;
class SfcModel;
} // namespace kirogen::model

namespace lumlink::project {
class Device;
}

namespace lumlink::project::commands {

// Programs taken over from another project, with the devices and global variables they
// need that the project lacks, as one step.
class ImportPrograms : public Command
{
public:
    struct Variable
    {
        std::string name;
        std::string typeName;
        lum::core::variant::Variant initialValue;
    };

    ImportPrograms(Project* project, std::vector<Device*> devices, std::vector<Variable> variables,
                   std::vector<std::shared_ptr<kirogen::model::FunctionBlockDiagram>> diagrams,
                   std::vector<std::shared_ptr<kirogen::model::SfcModel>> charts);

    void redo() override;
    void undo() override;

private:
    // Takes back what redo() added, newest first; the counts say how far it came.
    void remove(std::size_t devices, std::size_t variables, std::size_t diagrams, std::size_t charts);

    std::vector<Device*> _devices;
    std::vector<Variable> _variables;
    std::vector<std::shared_ptr<kirogen::model::FunctionBlockDiagram>> _diagrams;
    std::vector<std::shared_ptr<kirogen::model::SfcModel>> _charts;
};

} // namespace lumlink::project::commands
