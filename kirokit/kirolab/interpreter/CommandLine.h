#pragma once

#include <kiroutil/log/Log.h>
#include <lum/core/Map.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace kirolab::interpreter {

// The interpreter's command line: the project, the --set values, the console log level and
// the output interval of the global variables.
class CommandLine
{
public:
    // Values by variable name; device values by device name, then configuration variable.
    using GlobalVariableValues = lum::core::Map<std::string, std::string>;
    using DeviceConfigValues = lum::core::Map<std::string, GlobalVariableValues>;

    // Prints the version banner, then reads the arguments. False means the program ends
    // (help, version, or an error already reported on standard error).
    bool parse(int argc, char** argv);

    const std::filesystem::path& projectFile() const { return _projectFile; }
    int32_t globalVariableOutputInterval() const { return _globalVariableOutputInterval; }
    const GlobalVariableValues& globalVariableValues() const { return _globalVariableValues; }
    const DeviceConfigValues& deviceConfigValues() const { return _deviceConfigValues; }
    // The level from which log messages go to the console; none unless a valid level was
    // given before any other fault.
    const std::optional<kiroutil::Log::LogMessageVerbosity>& consoleLogVerbosity() const
    {
        return _consoleLogVerbosity;
    }

private:
    std::filesystem::path _projectFile;
    int32_t _globalVariableOutputInterval = 0;
    GlobalVariableValues _globalVariableValues;
    DeviceConfigValues _deviceConfigValues;
    std::optional<kiroutil::Log::LogMessageVerbosity> _consoleLogVerbosity;
};

} // namespace kirolab::interpreter
