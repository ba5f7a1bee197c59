#include <kirolab/interpreter/Interpreter.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kirogen/sim/Execution.h>
#include <kirogen/sim/SimulationThread.h>
#include <kirogen/sim/session/ExecutionSession.h>
#include <kirolab/interpreter/ConsoleLog.h>
#include <kirolab/interpreter/GlobalVariableOutputThread.h>
#include <kiroutil/log/Log.h>
#include <lum/core/Serializer.h>
#include <lum/core/Strings.h>
#include <util/BackgroundTask.h>
#include <util/PluginLoader.h>
#include <util/XTime.h>
#include <util/XmlSerializer.h>

#include <QCoreApplication>

#include <cassert>
#include <iostream>
#include <optional>
#include <system_error>

using kirogen::device::model::DeviceInstance;
using lum::core::variant::Variant;

namespace kirolab::interpreter {

namespace {

const char* const RobotTypeId = "LUM GmbH Tavik";

constexpr double CycleSeconds = 0.01;
constexpr unsigned long RunPollMs = 20;

} // namespace

Interpreter* Interpreter::_instance = nullptr;

void Interpreter::singleton_create()
{
    if (!_instance)
        _instance = new Interpreter;
}

Interpreter& Interpreter::singleton()
{
    assert(0 != _instance);
    return *_instance;
}

void Interpreter::singleton_destroy()
{
    delete _instance;
    _instance = nullptr;
}

Interpreter::Interpreter() : _devices(_run)
{
}

Interpreter::~Interpreter() = default;

std::string Interpreter::programDirectory()
{
    return QCoreApplication::applicationDirPath().toLatin1().toStdString();
}

void Interpreter::init()
{
    util::PluginLoader::singleton().addGlobalSearchPath(QString::fromLatin1(programDirectory().c_str()));
}

bool Interpreter::parseCommandLineArguments(int argc, char** argv)
{
    const bool parsed = _commandLine.parse(argc, argv);
    if (const auto& verbosity = _commandLine.consoleLogVerbosity())
        kiroutil::Log::singleton().registerReceiver(logMessageCallback, *verbosity);
    return parsed;
}

void Interpreter::parseConfigFile(std::string* userDir)
{
    _configFile.read(programDirectory());
    *userDir = _configFile.userDir();
}

bool Interpreter::loadSystem()
{
    util::XmlSerializer::addGlobalEntityResolverSearchPath(_configFile.schemaDir());
    // Reading a large project is the longest step of the start: this thread reads it while a
    // worker loads the registries and prints their progress.
    bool loaded = false;
    std::optional<util::BackgroundTask> registries;
    try {
        registries.emplace([this, &loaded] { loaded = loadRegistries(); });
    } catch (const std::system_error&) {
        // No thread to spare: openProject() reads the project when it needs it.
        return loadRegistries();
    }
    readProjectDocument();
    registries->wait();
    return loaded;
}

bool Interpreter::loadRegistries()
{
    try {
        std::cout << "Loading types..." << std::flush;
        kirogen::model::TypeRegistry::loadTypes(_configFile.configDir() + "/types.xml");
        std::cout << "       done." << std::endl;

        std::cout << "Loading actor types..." << std::flush;
        for (const std::string& dir : lum::core::split(_configFile.unitsDir(), ';'))
            kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(dir);
        std::cout << " done." << std::endl;

        std::cout << "Loading devices..." << std::flush;
        for (const std::string& dir : lum::core::split(_configFile.devicesDir(), ';'))
            kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(dir);
        std::cout << "     done." << std::endl << std::endl;
    } catch (const std::exception& e) {
        // Without its registries the interpreter can load no project.
        std::cout << " failed: " << e.what() << std::endl;
        return false;
    }
    return true;
}

std::string Interpreter::projectPath() const
{
    const std::filesystem::path& file = _commandLine.projectFile();
    if (file.is_absolute() || _startDirectory.empty())
        return file.string();
    return (_startDirectory / file).string();
}

void Interpreter::readProjectDocument()
{
    // Whatever the reading throws waits in the future until openProject() reports it.
    std::packaged_task<ProjectDocument()> read(
        [path = projectPath()] { return ProjectDocument::readWhileValidating(path); });
    _projectDocument = read.get_future();
    read();
}

bool Interpreter::openProject()
{
    const std::string path = _commandLine.projectFile().string();
    std::cout << "Loading project \"" << path << "\"..." << std::flush;

    std::optional<ProjectDocument> read;
    try {
        read.emplace(_projectDocument.valid() ? _projectDocument.get()
                                              : ProjectDocument::read(projectPath()));
        if (read->uncompressError()) {
            std::cout << "Error uncompressing file " << QString::fromStdString(path).toLatin1().constData()
                      << std::endl;
            std::cerr << *read->uncompressError() << std::endl;
        }
        if (!read->document()) {
            std::cout << " failed!" << std::endl;
            return false;
        }
        _project = read->createProject();
    } catch (const std::exception& e) {
        _project.reset();
        std::cout << " failed: " << e.what() << std::endl;
        return false;
    }
    std::cout << " done." << std::endl << std::endl;

    applyGlobalVariableValues();

    bool allConnected = true;
    for (const auto& device : _project->devices()) {
        const auto type = device->deviceType();
        if (!type || type->isGeneric())
            continue;
        if (type->xmlId() == RobotTypeId) {
            // A run always has the drive system; --set may still switch it off below.
            if (const auto drive = device->configVariable("disableDriveSystem"))
                drive->write(Variant(false));
        }
        applyDeviceConfigValues(device);
        if (!device->connection())
            continue;
        if (!_devices.connect(device))
            allConnected = false;
    }

    std::cout << std::endl;
    read.reset();

    if (!_devices.startWatching(allConnected)) {
        std::cout << "Error: could not connect to all devices! Program will not run." << std::endl;
        return false;
    }
    std::cout << "Successfully connected to all devices." << std::endl << std::endl;
    return true;
}

void Interpreter::applyGlobalVariableValues()
{
    for (const auto& entry : _project->globalVariables()) {
        const std::shared_ptr<kirogen::model::GlobalVariable>& variable = entry.second;
        const std::string& name = variable->getVarName();
        if (!_commandLine.globalVariableValues().contains(name))
            continue;
        std::cout << "Writing global variable " << name << " of type " << variable->typeName() << std::endl;
        bool ok = false;
        const Variant value = lum::core::variant::Serializer::singleton().load(
            _commandLine.globalVariableValues().value(name), variable->typeName(), &ok);
        if (ok)
            variable->write(value);
        else
            std::cerr << "Error writing global variable. Wrong value." << std::endl;
    }
}

void Interpreter::applyDeviceConfigValues(const std::shared_ptr<DeviceInstance>& device)
{
    const CommandLine::DeviceConfigValues& deviceValues = _commandLine.deviceConfigValues();
    if (!deviceValues.contains(device->instanceName()))
        return;
    const auto values = deviceValues.value(device->instanceName());
    for (const auto& variable : device->configVariables()) {
        if (!values.contains(variable->getVarName()))
            continue;
        bool ok = false;
        const Variant value = lum::core::variant::Serializer::singleton().load(
            values.value(variable->getVarName()), variable->typeName(), &ok);
        if (ok) {
            variable->write(value);
        } else {
            std::cerr << "Error writing device config variable. Wrong value." << std::endl
                      << variable->getVarName() << ":" << variable->getVarName() << std::endl;
        }
    }
}

void Interpreter::done()
{
    // A validation still running must end before the XML parser shuts down.
    _projectDocument = {};
    if (!_project)
        return;
    std::cout << "Disconnecting devices..." << std::flush;
    _devices.disconnectAll();
    std::cout << " done." << std::endl;
}

void Interpreter::simulate()
{
    GlobalVariableOutputThread outputThread(this, _commandLine.globalVariableOutputInterval());
    if (!start())
        return;
    outputThread.start();
    const kirogen::sim::Execution* execution = _executionThread->getExecution();
    while (_run) {
        QCoreApplication::processEvents();
        lum::core::msleep(RunPollMs);
        // A fault in a cycle ends the execution by itself; the run must not look alive.
        if (execution->state() == kirogen::sim::Execution::Terminated && _run.exchange(false))
            std::cout << "The program has stopped. Program will be terminated.\n" << std::flush;
    }
    if (_ctrlcHit.exchange(false))
        std::cout << "Ctrl + C has been hit. Program will be terminated.\n" << std::flush;
    if (outputThread.isRunning())
        outputThread.stop();
    terminate();
}

bool Interpreter::start()
{
    if (!_project)
        return false;
    std::cout << "Starting program..." << std::flush;
    if (_project->sfcModels().empty()) {
        std::cout << " failed: the project has no sequence chart to run." << std::endl;
        return false;
    }
    try {
        _executionThread = std::make_unique<kirogen::sim::SimulationThread>(
            _project, _project->sfcModels().front(), util::XTime(CycleSeconds));
    } catch (const std::exception& e) {
        std::cout << " failed: " << e.what() << std::endl;
        return false;
    }
    kirogen::sim::Execution* execution = _executionThread->getExecution();
    execution->registerObserver(kirogen::observer::DataRole::ExecutionSessionAvailable, this);
    execution->sync();
    execution->start();
    std::cout << " done." << std::endl;
    return true;
}

void Interpreter::terminate()
{
    if (!_project || !_executionThread)
        return;
    std::cout << "Terminating program..." << std::flush;
    kirogen::sim::Execution* execution = _executionThread->getExecution();
    execution->deregisterObserver(kirogen::observer::DataRole::ExecutionSessionAvailable, this);
    execution->terminate();
    execution->sync();
    _executionThread.reset();
    std::cout << " done." << std::endl;
    _run = false;
}

void Interpreter::cancelSimulation()
{
    // Called in signal context: it only flips lock-free flags. The main loop sees _run
    // cleared within its polling period and writes the line itself.
    if (_run.exchange(false))
        _ctrlcHit = true;
}

std::shared_ptr<kirogen::sim::session::ExecutionSession> Interpreter::getExecSession() const
{
    std::lock_guard<std::mutex> lock(_execSessionMutex);
    return _execSession;
}

void Interpreter::on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable*,
                            const Variant& value)
{
    if (role == kirogen::observer::DataRole::ExecutionSessionAvailable) {
        bool ok = false;
        auto session = value.get<std::shared_ptr<kirogen::sim::session::ExecutionSession>>(&ok);
        if (ok && session) {
            std::lock_guard<std::mutex> lock(_execSessionMutex);
            _execSession = std::move(session);
        }
    }
}

} // namespace kirolab::interpreter
