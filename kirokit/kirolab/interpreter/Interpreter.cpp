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
#include <kirolab/Version.h>
#include <kirolab/interpreter/GlobalVariableOutputThread.h>
#include <kiroutil/log/Log.h>
#include <lum/core/Serializer.h>
#include <lum/core/Strings.h>
#include <util/BackgroundTask.h>
#include <util/PluginLoader.h>
#include <util/XTime.h>
#include <util/XmlSerializer.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <boost/program_options.hpp>

#include <algorithm>
#include <cassert>
#include <iostream>
#include <optional>
#include <system_error>
#include <sstream>
#include <vector>

namespace po = boost::program_options;

using kirogen::device::model::DeviceInstance;
using lum::core::variant::Variant;

namespace kirolab::interpreter {

namespace {

const char* const IniFileName = "tavview2.ini";
const char* const RobotTypeId = "LUM GmbH Tavik";

constexpr double CycleSeconds = 0.01;
constexpr unsigned long RunPollMs = 20;
constexpr unsigned long WaitPollMs = 50;
// A device that never reports counts as failed (connecting) or gone (disconnecting).
constexpr int ConnectTimeoutMs = 30000;
constexpr int DisconnectTimeoutMs = 10000;

std::optional<kiroutil::Log::LogMessageVerbosity> verbosityByName(const std::string& name, bool* known)
{
    using Log = kiroutil::Log;
    static const std::pair<const char*, std::optional<Log::LogMessageVerbosity>> levels[] = {
        {"DEBUG", Log::Debug},  {"VERBOSE", Log::Verbose}, {"NOTE", Log::Note},          {"WARNING", Log::Warning},
        {"ERROR", Log::Error},  {"SEVERE", Log::Severe},   {"NONE", std::nullopt},
    };
    for (const auto& level : levels) {
        if (name == level.first) {
            *known = true;
            return level.second;
        }
    }
    *known = false;
    return std::nullopt;
}

void removeQuotes(std::string* text)
{
    text->erase(std::remove(text->begin(), text->end(), '"'), text->end());
}

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

Interpreter::Interpreter() = default;

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
    std::ostringstream banner;
    banner << "TavikView Interpreter Version " << VersionMajor << '.' << VersionMinor << '.' << VersionPatch;
    std::cout << banner.str() << "\n\n" << std::flush;

    bool error = false;
    std::string project;
    std::string logLevel;

    po::options_description general("General options");
    general.add_options()
        ("project,f", po::value<std::string>(&project), "TavikView project file (*.tkp2|*.tkpx)")
        ("set", po::value<std::vector<std::string>>()->multitoken(),
         "Set global variables. globalVariable=value devicename:configVariable=value")
        ("help,h", "produce help message")
        ("version,v", "print program version and exit")
        ("log-level,l", po::value<std::string>(&logLevel),
         "set console log verbosity [ DEBUG | VERBOSE | NOTE | WARNING | ERROR | SEVERE | NONE ]")
        ("global-variable-output-interval", po::value<int32_t>(&_globalVariableOutputInterval),
         "global variables are printed periodically all <interval> msecs. Set 0 to disable debugging.");
    po::options_description options;
    options.add(general);

    po::variables_map values;
    try {
        po::store(po::parse_command_line(argc, argv, options), values);
        po::notify(values);
    } catch (const std::exception&) {
        std::cerr << ">>> Unknown option." << std::endl;
        error = true;
    }

    _projectFile = project;

    if (values.count("help")) {
        std::cout << "This is some descriptive text for the --help output. TODO" << std::endl
                  << options << std::endl;
        return false;
    }
    if (values.count("version"))
        return false;

    // A negative period would make the output worker sleep for weeks.
    if (_globalVariableOutputInterval < 0) {
        std::cerr << "The global variable output interval must not be negative: " << _globalVariableOutputInterval
                  << std::endl;
        error = true;
    }

    if (values.count("log-level")) {
        bool known = false;
        const auto verbosity = verbosityByName(logLevel, &known);
        if (!known) {
            std::cerr << "Unknown option \"" << logLevel << "\"!" << std::endl;
            error = true;
        } else if (verbosity && !error) {
            kiroutil::Log::singleton().registerReceiver(logMessageCallback, *verbosity);
        }
    }

    if (values.count("set")) {
        for (const std::string& token : values["set"].as<std::vector<std::string>>()) {
            const auto equals = token.find('=');
            if (equals == std::string::npos) {
                error = true;
                break;
            }
            const std::string name = token.substr(0, equals);
            const std::string value = token.substr(equals + 1);
            const auto colon = name.find(':');
            if (colon != std::string::npos) {
                const std::string device = name.substr(0, colon);
                const std::string variable = name.substr(colon + 1);
                std::cerr << "Set device " << device << " config variable " << variable << " = " << value
                          << std::endl;
                _deviceConfigValues[device][variable] = value;
            } else {
                std::cerr << "Set global variable " << name << " = " << value << std::endl;
                _globalVariableValues[name] = value;
            }
        }
    }

    if (error)
        std::cerr << "An error occurred!" << std::endl;

    if (_projectFile.empty()) {
        std::cerr << "No project file specified. Exiting." << std::endl;
        return false;
    }
    return !error;
}

bool Interpreter::parseConfigFile(std::string* userDir)
{
    assert(userDir != 0);

    if (!QFileInfo::exists(QString::fromLatin1(IniFileName))) {
        setDefaultPaths(userDir);
    } else {
        std::string ignored;
        po::options_description options;
        options.add_options()
            ("General.configdir", po::value<std::string>(&_configDir))
            ("General.devicesdir", po::value<std::string>(&_devicesDir))
            ("General.tavikdevicedir", po::value<std::string>(&ignored))
            ("General.toolchainsdir", po::value<std::string>(&ignored))
            ("General.helpdir", po::value<std::string>(&ignored))
            ("General.platformsdir", po::value<std::string>(&ignored))
            ("General.plugindir", po::value<std::string>(&ignored))
            ("General.runtimedir", po::value<std::string>(&ignored))
            ("General.schemadir", po::value<std::string>(&_schemaDir))
            ("General.templatesdir", po::value<std::string>(&ignored))
            ("General.translationsdir", po::value<std::string>(&ignored))
            ("General.unitsdir", po::value<std::string>(&_unitsDir))
            ("General.cmake", po::value<std::string>(&ignored))
            ("General.make", po::value<std::string>(&ignored))
            ("General.forming", po::value<std::string>(&ignored))
            ("General.loadDirectory", po::value<std::string>(&ignored))
            ("General.packages_dir", po::value<std::string>(&ignored))
            ("General.pkgtools", po::value<std::string>(&ignored))
            ("General.examplesdir", po::value<std::string>(&ignored))
            ("General.userdir", po::value<std::string>(userDir))
            ("General.qtplugindir", po::value<std::string>(&ignored));
        try {
            po::variables_map values;
            po::store(po::parse_config_file<char>(IniFileName, options), values);
            po::notify(values);
        } catch (const std::exception&) {
            std::cerr << "Could not read ini file! Setting default paths." << std::endl;
            setDefaultPaths(userDir);
        }
    }

    for (std::string* path : {&_configDir, &_devicesDir, &_schemaDir, &_unitsDir, userDir})
        removeQuotes(path);
    return true;
}

void Interpreter::setDefaultPaths(std::string* userDir)
{
    assert(userDir != 0);
    const std::string programDir = programDirectory();
    _schemaDir = programDir + "/../schema";
    _configDir = programDir + "/../config";
    _unitsDir = programDir + "/../units";
    _devicesDir = programDir + "/../devices";
    *userDir = programDir + "/../user";
}

bool Interpreter::loadSystem()
{
    util::XmlSerializer::addGlobalEntityResolverSearchPath(_schemaDir);
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
        kirogen::model::TypeRegistry::loadTypes(_configDir + "/types.xml");
        std::cout << "       done." << std::endl;

        std::cout << "Loading actor types..." << std::flush;
        for (const std::string& dir : lum::core::split(_unitsDir, ';'))
            kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(dir);
        std::cout << " done." << std::endl;

        std::cout << "Loading devices..." << std::flush;
        for (const std::string& dir : lum::core::split(_devicesDir, ';'))
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
    if (_projectFile.is_absolute() || _startDirectory.empty())
        return _projectFile.string();
    return (_startDirectory / _projectFile).string();
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
    const std::string path = _projectFile.string();
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
        if (!connectDevice(device))
            allConnected = false;
    }

    std::cout << std::endl;
    read.reset();

    {
        // A device that dropped while later ones connected counts as not connected.
        std::lock_guard<std::mutex> lock(_mutex);
        for (const auto& entry : _devStatus)
            allConnected = allConnected && entry.second == DEV_STATUS_CONNECTED;
        _allDevicesConnected = allConnected;
    }
    if (!allConnected) {
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
        if (!_globalVariableValues.contains(name))
            continue;
        std::cout << "Writing global variable " << name << " of type " << variable->typeName() << std::endl;
        bool ok = false;
        const Variant value =
            lum::core::variant::Serializer::singleton().load(_globalVariableValues.value(name), variable->typeName(), &ok);
        if (ok)
            variable->write(value);
        else
            std::cerr << "Error writing global variable. Wrong value." << std::endl;
    }
}

void Interpreter::applyDeviceConfigValues(const std::shared_ptr<DeviceInstance>& device)
{
    if (!_deviceConfigValues.contains(device->instanceName()))
        return;
    const auto values = _deviceConfigValues.value(device->instanceName());
    for (const auto& variable : device->configVariables()) {
        if (!values.contains(variable->getVarName()))
            continue;
        bool ok = false;
        const Variant value = lum::core::variant::Serializer::singleton().load(values.value(variable->getVarName()),
                                                                              variable->typeName(), &ok);
        if (ok) {
            variable->write(value);
        } else {
            std::cerr << "Error writing device config variable. Wrong value." << std::endl
                      << variable->getVarName() << ":" << variable->getVarName() << std::endl;
        }
    }
}

bool Interpreter::connectDevice(const std::shared_ptr<DeviceInstance>& device)
{
    using kirogen::observer::DataRole;
    std::cout << "Connecting to device \"" << device->instanceName() << "\"..." << std::flush;
    device->registerObserver(DataRole::DeviceConnected, this);
    device->registerObserver(DataRole::DeviceDisconnected, this);
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _devStatus.insert(device, DEV_STATUS_UNKNOWN);
    }
    device->connect();

    // The outcome arrives from the device's thread; keep the event loop alive meanwhile and
    // give up on a device that never answers.
    QDeadlineTimer deadline(ConnectTimeoutMs);
    DevStatus status = deviceStatus(device);
    while (_run && status == DEV_STATUS_UNKNOWN && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        lum::core::msleep(WaitPollMs);
        status = deviceStatus(device);
    }
    device->deregisterObserver(DataRole::DeviceConnected, this);

    if (status == DEV_STATUS_CONNECTED) {
        std::cout << " done." << std::endl;
        return true;
    }
    if (status == DEV_STATUS_UNKNOWN) {
        std::lock_guard<std::mutex> lock(_mutex);
        _devStatus.insert(device, DEV_STATUS_DISCONNECTED);
    }
    std::cout << " failed." << std::endl;
    return false;
}

void Interpreter::done()
{
    // A validation still running must end before the XML parser shuts down.
    _projectDocument = {};
    if (!_project)
        return;
    std::cout << "Disconnecting devices..." << std::flush;

    std::vector<std::shared_ptr<DeviceInstance>> devices;
    {
        std::lock_guard<std::mutex> lock(_mutex);
        for (const auto& entry : _devStatus)
            devices.push_back(entry.first);
    }
    for (const auto& device : devices) {
        device->disconnect();
        QDeadlineTimer deadline(DisconnectTimeoutMs);
        while (deviceStatus(device) != DEV_STATUS_DISCONNECTED && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            lum::core::msleep(WaitPollMs);
        }
        device->deregisterObserverAllRoles(this);
    }
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _devStatus.clear();
    }
    std::cout << " done." << std::endl;
}

void Interpreter::simulate()
{
    GlobalVariableOutputThread outputThread(this, _globalVariableOutputInterval);
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

void Interpreter::on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                            const Variant& value)
{
    using kirogen::observer::DataRole;
    if (role == DataRole::DeviceDisconnected) {
        // One write, so that the line never lands inside a variable line of the output thread.
        if (setDeviceStatus(source, DEV_STATUS_DISCONNECTED))
            std::cout << "A device has been disconnected. Program will be terminated.\n" << std::flush;
    } else if (role == DataRole::DeviceConnected) {
        setDeviceStatus(source, DEV_STATUS_CONNECTED);
    } else if (role == DataRole::ExecutionSessionAvailable) {
        bool ok = false;
        auto session = value.get<std::shared_ptr<kirogen::sim::session::ExecutionSession>>(&ok);
        if (ok && session) {
            std::lock_guard<std::mutex> lock(_execSessionMutex);
            _execSession = std::move(session);
        }
    }
}

Interpreter::DevStatus Interpreter::deviceStatus(const std::shared_ptr<DeviceInstance>& device)
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _devStatus.value(device, DEV_STATUS_UNKNOWN);
}

bool Interpreter::setDeviceStatus(kirogen::observer::Observable* source, DevStatus status)
{
    auto* device = dynamic_cast<DeviceInstance*>(source);
    assert(device && "dev");
    // A device that is going away has no owner left and nobody waits for it.
    const auto owner = device ? device->getPtr() : nullptr;
    if (!owner)
        return false;
    std::lock_guard<std::mutex> lock(_mutex);
    _devStatus.insert(owner, status);
    // Checked under the lock that also guards the end of connecting, so a disconnect is either
    // seen there or ends the run here.
    return status == DEV_STATUS_DISCONNECTED && _allDevicesConnected && _run.exchange(false);
}

} // namespace kirolab::interpreter
