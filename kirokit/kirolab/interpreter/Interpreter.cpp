#include <kirolab/interpreter/Interpreter.h>

#include <kirolab/interpreter/ConsoleLog.h>
#include <kiroutil/log/Log.h>
#include <util/PluginLoader.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <boost/program_options.hpp>

#include <algorithm>
#include <cassert>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

namespace po = boost::program_options;

namespace kirolab::interpreter {

namespace {

constexpr int VersionMajor = 3;
constexpr int VersionMinor = 3;
constexpr int VersionPatch = 1;

const char* const IniFileName = "tavview2.ini";

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

void Interpreter::on_notify(const kirogen::observer::DataRole&, kirogen::observer::Observable*,
                            const lum::core::variant::Variant&)
{
}

} // namespace kirolab::interpreter
