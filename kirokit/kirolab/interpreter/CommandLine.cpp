#include <kirolab/interpreter/CommandLine.h>

#include <kirolab/Version.h>

#include <boost/program_options.hpp>

#include <iostream>
#include <sstream>
#include <vector>

namespace po = boost::program_options;

namespace kirolab::interpreter {

namespace {

std::optional<kiroutil::Log::LogMessageVerbosity> verbosityByName(const std::string& name, bool* known)
{
    using Log = kiroutil::Log;
    static const std::pair<const char*, std::optional<Log::LogMessageVerbosity>> levels[] = {
        {"DEBUG", Log::Debug}, {"VERBOSE", Log::Verbose}, {"NOTE", Log::Note},    {"WARNING", Log::Warning},
        {"ERROR", Log::Error}, {"SEVERE", Log::Severe},   {"NONE", std::nullopt},
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

} // namespace

bool CommandLine::parse(int argc, char** argv)
{
    std::ostringstream banner;
    banner << "TavikView Interpreter Version " << VersionMajor << '.' << VersionMinor << '.' << VersionPatch;
    std::cout << banner.str() << "\n\n" << std::flush;

    bool error = false;
    std::string project;
    std::string logLevel;

    po::options_description general("General options");
    // clang-format off
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
    // clang-format on
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
        std::cerr << "The global variable output interval must not be negative: "
                  << _globalVariableOutputInterval << std::endl;
        error = true;
    }

    if (values.count("log-level")) {
        bool known = false;
        const auto verbosity = verbosityByName(logLevel, &known);
        if (!known) {
            std::cerr << "Unknown option \"" << logLevel << "\"!" << std::endl;
            error = true;
        } else if (verbosity && !error) {
            _consoleLogVerbosity = verbosity;
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

} // namespace kirolab::interpreter
