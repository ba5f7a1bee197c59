#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Importer.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/ProjectFile.h>
#include <lumlink/project/commands/ImportPrograms.h>
#include <QCoreApplication>
#include <functional>
#include <map>
#include <set>

namespace lumlink::project {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("lumlink::project::Importer", text);
}

// name, else name_2, name_3, ... : the first that is not taken.
std::string freeName(const std::string& name, const std::function<bool(const std::string&)>& taken)
{
    std::string candidate = name;
    for (int n = 2; taken(candidate); ++n)
        candidate = name + "_" + std::to_string(n);
    return candidate;
}

} // namespace

bool Importer::read(const QString& path)
{
    QString error;
    _other = ProjectFile::read(path, &error);
    if (!_other)
        _error = tr("Could not read %1: %2").arg(path, error);
    return _other != nullptr;
}

QMap<QString, QStringList> Importer::programs() const
{
    QMap<QString, QStringList> programs;
    if (!_other)
        return programs;
    std::set<std::string> run;
    for (const auto& chart : _other->sfcModels()) {
        QStringList diagrams;
        for (const kirogen::model::SfcStep& step : chart->steps()) {
            const QString diagram = QString::fromStdString(step.diagram);
            if (!step.diagram.empty() && !diagrams.contains(diagram))
                diagrams.append(diagram);
            run.insert(step.diagram);
        }
        programs.insert(QString::fromStdString(chart->name()), diagrams);
    }
    QStringList free;
    for (const auto& entry : _other->diagrams()) {
        if (!run.count(entry.first))
            free.append(QString::fromStdString(entry.first));
    }
    if (!free.isEmpty())
        programs.insert(QString(), free);
    return programs;
}

QMap<QString, QString> Importer::devices() const
{
    QMap<QString, QString> devices;
    if (!_other)
        return devices;
    for (const auto& device : _other->devices())
        devices.insert(QString::fromStdString(device->instanceName()),
                       QString::fromStdString(device->deviceType()->xmlId()));
    return devices;
}

QUndoCommand* Importer::importCommand(Project* project, const QStringList& selection,
                                      const QMap<QString, QString>& mapping)
{
    using kirogen::model::FunctionBlock;
    using kirogen::model::FunctionBlockDiagram;
    using kirogen::model::SfcModel;
    if (!_other) {
        _error = tr("There is no project to import from.");
        return nullptr;
    }
    const auto target = project->kirogenProject();
    const kirogen::model::ProjectEditor& targetEditor = project->editor();

    // What is copied: the selected charts and the diagrams they run, the selected diagrams.
    std::vector<std::shared_ptr<SfcModel>> charts;
    std::vector<std::string> diagramNames;
    const auto addDiagram = [&](const std::string& name) {
        if (!name.empty() && std::find(diagramNames.begin(), diagramNames.end(), name) == diagramNames.end())
            diagramNames.push_back(name);
    };
    for (const QString& selected : selection) {
        const std::string name = selected.toStdString();
        const auto chart = std::find_if(_other->sfcModels().begin(), _other->sfcModels().end(),
                                        [&name](const auto& sfc) { return sfc->name() == name; });
        if (chart != _other->sfcModels().end()) {
            charts.push_back(*chart);
            for (const kirogen::model::SfcStep& step : (*chart)->steps())
                addDiagram(step.diagram);
        } else if (_other->diagram(name)) {
            addDiagram(name);
        } else {
            _error = tr("The other project has no program \"%1\".").arg(selected);
            return nullptr;
        }
    }

    // New names where the project already has a program of that name.
    std::set<std::string> claimed;
    const auto rename = [&](const std::string& name) {
        const std::string free = freeName(name, [&](const std::string& candidate) {
            return targetEditor.hasProgram(candidate) || claimed.count(candidate);
        });
        claimed.insert(free);
        return free;
    };
    std::map<std::string, std::string> diagramRenamed;
    for (const std::string& name : diagramNames)
        diagramRenamed[name] = rename(name);

    // Devices the copied blocks name: mapped onto one of the project's, or copied.
    std::vector<Device*> newDevices;
    std::map<std::string, std::string> deviceRenamed;
    std::set<std::string> deviceNamesTaken;
    for (const auto& device : target->devices())
        deviceNamesTaken.insert(device->instanceName());
    const auto deviceFor = [&](const std::string& name) -> bool {
        if (deviceRenamed.count(name))
            return true;
        const auto source = _other->device(name);
        if (!source) {
            _error = tr("The other project has no device \"%1\".").arg(QString::fromStdString(name));
            return false;
        }
        const QString mapped = mapping.value(QString::fromStdString(name));
        if (!mapped.isEmpty()) {
            const auto chosen = target->device(mapped.toStdString());
            if (!chosen || chosen->deviceType() != source->deviceType()) {
                _error = tr("Device \"%1\" cannot stand for \"%2\": it is missing or of another type.")
                             .arg(mapped, QString::fromStdString(name));
                return false;
            }
            deviceRenamed[name] = chosen->instanceName();
            return true;
        }
        const std::string newName = freeName(
            name, [&](const std::string& candidate) { return deviceNamesTaken.count(candidate) > 0; });
        const auto copy = source->deviceType()->createDeviceInstance(target, newName);
        if (!copy) {
            _error = tr("Device \"%1\" could not be copied.").arg(QString::fromStdString(name));
            return false;
        }
        for (const auto& setting : source->deviceType()->parameters())
            copy->setParameter(setting.name, source->parameter(setting.name));
        for (const auto& variable : source->configVariables()) {
            if (const auto own = copy->configVariable(variable->getVarName())) {
                own->setInitialValue(variable->initialValue());
                own->reset();
            }
        }
        deviceNamesTaken.insert(newName);
        deviceRenamed[name] = newName;
        newDevices.push_back(Device::create(copy, project));
        return true;
    };

    std::vector<std::shared_ptr<FunctionBlockDiagram>> diagrams;
    for (const std::string& name : diagramNames) {
        const auto source = _other->diagram(name);
        std::vector<FunctionBlock> blocks = source->blocks();
        for (FunctionBlock& block : blocks) {
            if (block.typeId != "devin" && block.typeId != "devout")
                continue;
            const auto device = block.parameters.find("device");
            if (device == block.parameters.end())
                continue;
            if (!deviceFor(device->second))
                return nullptr;
            device->second = deviceRenamed[device->second];
        }
        diagrams.push_back(std::make_shared<FunctionBlockDiagram>(diagramRenamed[name], std::move(blocks),
                                                                  source->links(), source->line()));
    }
    std::vector<std::shared_ptr<SfcModel>> newCharts;
    for (const auto& chart : charts) {
        std::vector<kirogen::model::SfcStep> steps = chart->steps();
        for (kirogen::model::SfcStep& step : steps) {
            if (!step.diagram.empty())
                step.diagram = diagramRenamed[step.diagram];
        }
        newCharts.push_back(std::make_shared<SfcModel>(rename(chart->name()), std::move(steps),
                                                       chart->transitions(), chart->line()));
    }

    // Global variables the copied programs use and the project lacks; one it has keeps its type.
    std::vector<commands::ImportPrograms::Variable> variables;
    const kirogen::model::ProjectEditor otherEditor(_other);
    std::vector<std::string> copied = diagramNames;
    for (const auto& chart : charts)
        copied.push_back(chart->name());
    for (const auto& entry : _other->globalVariables()) {
        const std::string name(entry.first);
        if (target->globalVariable(name))
            continue;
        const bool used = std::any_of(copied.begin(), copied.end(), [&](const std::string& program) {
            return otherEditor.programUsesGlobalVariable(program, name);
        });
        if (used)
            variables.push_back({name, entry.second->typeName(), entry.second->initialValue()});
    }

    return new commands::ImportPrograms(project, std::move(newDevices), std::move(variables),
                                        std::move(diagrams), std::move(newCharts));
}

} // namespace lumlink::project
