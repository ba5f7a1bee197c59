#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <kirolab/interpreter/CommandLine.h>
#include <kirolab/interpreter/ConfigFile.h>
#include <kirolab/interpreter/DeviceConnections.h>
#include <kirolab/interpreter/ProjectDocument.h>

#include <atomic>
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
    static void singleton_create();
    static Interpreter& singleton();
    static void singleton_destroy();

    ~Interpreter() override;

    // Registers the program directory as a plug-in search path.
    void init();

    // Prints the version banner, then reads the command line. False means the program ends
    // (help, version, or an error already reported on standard error).
    bool parseCommandLineArguments(int argc, char** argv);
    const CommandLine& commandLine() const { return _commandLine; }

    // The directory the user started the program in, before main moved to its own: a relative
    // project path names a file there.
    void setStartDirectory(const std::filesystem::path& dir) { _startDirectory = dir; }

    // Reads "tavview2.ini" from the working directory (see ConfigFile); userDir receives the
    // folder the user's profile is filled from.
    void parseConfigFile(std::string* userDir);

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

    // The directory of the executable, as Latin-1 text.
    static std::string programDirectory();

private:
    Interpreter();

    bool loadRegistries();
    // The project file to read: the command line's, a relative one taken from the start directory.
    std::string projectPath() const;
    void readProjectDocument();
    void applyGlobalVariableValues();
    void applyDeviceConfigValues(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device);

    static Interpreter* _instance;

    CommandLine _commandLine;
    ConfigFile _configFile;
    std::filesystem::path _startDirectory;
    // Read by loadSystem(), taken by openProject().
    std::future<ProjectDocument> _projectDocument;
    std::shared_ptr<kirogen::model::Project> _project;
    std::atomic<bool> _run{true};
    DeviceConnections _devices;
    std::unique_ptr<kirogen::sim::ExecutionThread> _executionThread;
    mutable std::mutex _execSessionMutex;
    std::shared_ptr<kirogen::sim::session::ExecutionSession> _execSession;
    // Set by Ctrl+C; the main loop writes its line.
    std::atomic<bool> _ctrlcHit{false};
};

} // namespace kirolab::interpreter
