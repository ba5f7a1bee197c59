#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/commands/ImportPrograms.h>
#include <QCoreApplication>

namespace lumlink::project::commands {

ImportPrograms::ImportPrograms(Project* project, std::vector<Device*> devices,
                               std::vector<Variable> variables,
                               std::vector<std::shared_ptr<kirogen::model::FunctionBlockDiagram>> diagrams,
                               std::vector<std::shared_ptr<kirogen::model::SfcModel>> charts)
    : Command(project), _devices(std::move(devices)), _variables(std::move(variables)),
      _diagrams(std::move(diagrams)), _charts(std::move(charts))
{
    setText(QCoreApplication::translate("lumlink::project::commands", "import %n program(s)", nullptr,
                                        static_cast<int>(_diagrams.size() + _charts.size())));
}

void ImportPrograms::redo()
{
    kirogen::model::ProjectEditor& editor = project()->editor();
    std::string error;
    std::size_t devices = 0, variables = 0, diagrams = 0, charts = 0;
    const auto& model = *project()->kirogenProject();
    bool ok = true;
    while (ok && devices < _devices.size()) {
        ok = editor.insertDevice(_devices[devices]->deviceInstance(), model.devices().size(), &error);
        devices += ok;
    }
    while (ok && variables < _variables.size()) {
        const Variable& v = _variables[variables];
        ok = editor.addGlobalVariable(v.name, v.typeName, v.initialValue, &error);
        variables += ok;
    }
    // Diagrams first: the charts run them.
    while (ok && diagrams < _diagrams.size()) {
        ok = editor.addDiagram(_diagrams[diagrams], &error);
        diagrams += ok;
    }
    while (ok && charts < _charts.size()) {
        ok = editor.insertSfc(_charts[charts], model.sfcModels().size(), &error);
        charts += ok;
    }
    if (!ok) {
        remove(devices, variables, diagrams, charts);
        return refuse(error);
    }
    for (Device* device : _devices)
        project()->insertDevice(device, project()->devices().size());
    for (const Variable& variable : _variables)
        project()->announceGlobalVariableAdded(QString::fromStdString(variable.name));
    for (const auto& diagram : _diagrams)
        project()->announceProgramAdded(QString::fromStdString(diagram->name()));
    for (const auto& chart : _charts)
        project()->announceProgramAdded(QString::fromStdString(chart->name()));
}

void ImportPrograms::undo()
{
    remove(_devices.size(), _variables.size(), _diagrams.size(), _charts.size());
    for (auto it = _charts.rbegin(); it != _charts.rend(); ++it)
        project()->announceProgramRemoved(QString::fromStdString((*it)->name()));
    for (auto it = _diagrams.rbegin(); it != _diagrams.rend(); ++it)
        project()->announceProgramRemoved(QString::fromStdString((*it)->name()));
    for (auto it = _variables.rbegin(); it != _variables.rend(); ++it)
        project()->announceGlobalVariableRemoved(QString::fromStdString(it->name));
    for (auto it = _devices.rbegin(); it != _devices.rend(); ++it)
        project()->takeDevice(*it);
}

void ImportPrograms::remove(std::size_t devices, std::size_t variables, std::size_t diagrams,
                            std::size_t charts)
{
    kirogen::model::ProjectEditor& editor = project()->editor();
    while (charts > 0)
        editor.removeSfc(_charts[--charts]->name(), nullptr);
    while (diagrams > 0)
        editor.removeDiagram(_diagrams[--diagrams]->name(), nullptr);
    while (variables > 0)
        editor.removeGlobalVariable(_variables[--variables].name, nullptr);
    while (devices > 0)
        editor.removeDevice(_devices[--devices]->deviceInstance()->instanceName(), nullptr);
}

} // namespace lumlink::project::commands
