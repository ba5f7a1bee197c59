#pragma once

#include <string>

namespace kirolab::interpreter {

// The folders of the installation, from "tavview2.ini" in the working directory; without
// that file, or when any of it cannot be read, the folders beside the program directory.
class ConfigFile
{
public:
    // Always succeeds: a faulty file is reported on standard error and gives the defaults.
    void read(const std::string& programDir);

    const std::string& schemaDir() const { return _schemaDir; }
    const std::string& configDir() const { return _configDir; }
    // Lists of folders separated by ';'.
    const std::string& unitsDir() const { return _unitsDir; }
    const std::string& devicesDir() const { return _devicesDir; }
    // The folder the user's profile is filled from; empty when the file names none.
    const std::string& userDir() const { return _userDir; }

private:
    void setDefaultPaths(const std::string& programDir);

    std::string _schemaDir;
    std::string _configDir;
    std::string _unitsDir;
    std::string _devicesDir;
    std::string _userDir;
};

} // namespace kirolab::interpreter
