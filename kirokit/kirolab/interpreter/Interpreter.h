#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <lum/core/Map.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

namespace kirogen::model {
class Project;
}
namespace kirogen::device::model {
class DeviceInstance;
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

    // Reads "tavview2.ini" from the working directory; falls back to setDefaultPaths.
    bool parseConfigFile(std::string* userDir);
    void setDefaultPaths(std::string* userDir);

    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

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
    Interpreter() = default;

    static Interpreter* _instance;

    std::filesystem::path _projectFile;
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
    std::shared_ptr<kirogen::sim::session::ExecutionSession> _execSession;
    std::atomic<bool> _run{true};
    std::atomic<bool> _allDevicesConnected{false};
};

} // namespace kirolab::interpreter
