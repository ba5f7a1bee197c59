#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <kirolab/interpreter/ProjectDocument.h>
#include <lum/core/Map.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <string>

namespace kirogen::model {
class Project;
}
namespace kirogen::device::model {
class DeviceInstance;
}
namespace kirogen::sim {
class ExecutionThread;
}
namespace kirogen::sim::session {
class ExecutionSession;
}

namespace kirolab::interpreter {

// The headless runner: reads its command line and configuration, loads the system and a
// project, connects the project's devices, runs the main program and reports changed global
// variables. One instance per process.
class Interpreter : public kirogen::observer::Observer
{
public:
    enum DevStatus {
        DEV_STATUS_UNKNOWN = 0,
        DEV_STATUS_CONNECTED = 1,
        DEV_STATUS_DISCONNECTED = 2,
    };

    static void singleton_create();
    static Interpreter& singleton();
    static void singleton_destroy();

    ~Interpreter() override;

    // Registers the program directory as a plug-in search path.
    void init();

    // Prints the version banner, then reads the command line. False means the program ends
    // (help, version, or an error already reported on standard error).
    bool parseCommandLineArguments(int argc, char** argv);

    // The directory the user started the program in, before main moved to its own: a relative
    // project path names a file there.
    void setStartDirectory(const std::filesystem::path& dir) { _startDirectory = dir; }

    // Reads "tavview2.ini" from the working directory; falls back to setDefaultPaths.
    bool parseConfigFile(std::string* userDir);
    void setDefaultPaths(std::string* userDir);

    // Loads the data, actor and device types. False, after a " failed: " line, when a
    // registry cannot be loaded. Reads the project document meanwhile; openProject() reports
    // what the reading gave.
    bool loadSystem();

    // Loads the project, applies the --set values and connects every device. False when the
    // project could not be loaded or not every device connected.
    bool openProject();

    // Disconnects the devices that were asked to connect; waits for a project still being
    // validated.
    void done();

    // Runs the main program until Ctrl+C or a device disconnect ends the run.
    void simulate();
    bool start();
    void terminate();

    // Ends the run; safe to call from a signal handler.
    void cancelSimulation();

    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

    std::shared_ptr<kirogen::model::Project> getProject() const { return _project; }
    std::shared_ptr<kirogen::sim::session::ExecutionSession> getExecSession() const;

    const std::filesystem::path& projectFile() const { return _projectFile; }
    int32_t globalVariableOutputInterval() const { return _globalVariableOutputInterval; }
    const std::string& schemaDir() const { return _schemaDir; }
    const std::string& configDir() const { return _configDir; }
    const std::string& unitsDir() const { return _unitsDir; }
    const std::string& devicesDir() const { return _devicesDir; }
    const lum::core::Map<std::string, std::string>& globalVariableValues() const { return _globalVariableValues; }
    const lum::core::Map<std::string, lum::core::Map<std::string, std::string>>& deviceConfigValues() const
    {
        return _deviceConfigValues;
    }

    // The directory of the executable, as Latin-1 text.
    static std::string programDirectory();

private:
    Interpreter();

    bool loadRegistries();
    // The project file to read: _projectFile, a relative one taken from the start directory.
    std::string projectPath() const;
    void readProjectDocument();
    void applyGlobalVariableValues();
    void applyDeviceConfigValues(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device);
    bool connectDevice(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device);
    DevStatus deviceStatus(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device);
    // True when this disconnect ends the run.
    bool setDeviceStatus(kirogen::observer::Observable* source, DevStatus status);

    static Interpreter* _instance;

    std::filesystem::path _projectFile;
    std::filesystem::path _startDirectory;
    // Read by loadSystem(), taken by openProject().
    std::future<ProjectDocument> _projectDocument;
    std::shared_ptr<kirogen::model::Project> _project;
    int32_t _globalVariableOutputInterval = 0;
    std::string _schemaDir;
    std::string _configDir;
    std::string _unitsDir;
    std::string _devicesDir;
    lum::core::Map<std::shared_ptr<kirogen::device::model::DeviceInstance>, DevStatus> _devStatus;
    lum::core::Map<std::string, std::string> _globalVariableValues;
    lum::core::Map<std::string, lum::core::Map<std::string, std::string>> _deviceConfigValues;
    std::mutex _mutex;
    std::unique_ptr<kirogen::sim::ExecutionThread> _executionThread;
    mutable std::mutex _execSessionMutex;
    std::shared_ptr<kirogen::sim::session::ExecutionSession> _execSession;
    std::atomic<bool> _run{true};
    // Guarded by _mutex, like _devStatus.
    bool _allDevicesConnected = false;
    // Set by Ctrl+C; the main loop writes its line.
    std::atomic<bool> _ctrlcHit{false};
};

} // namespace kirolab::interpreter
