#include <kirolab/interpreter/ConfigFile.h>

#include <QFileInfo>
#include <QString>

#include <boost/program_options.hpp>

#include <algorithm>
#include <iostream>

namespace po = boost::program_options;

namespace kirolab::interpreter {

namespace {

const char* const IniFileName = "tavview2.ini";

void removeQuotes(std::string* text)
{
    text->erase(std::remove(text->begin(), text->end(), '"'), text->end());
}

} // namespace

void ConfigFile::read(const std::string& programDir)
{
    if (!QFileInfo::exists(QString::fromLatin1(IniFileName))) {
        setDefaultPaths(programDir);
    } else {
        std::string ignored;
        po::options_description options;
        // clang-format off
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
            ("General.userdir", po::value<std::string>(&_userDir))
            ("General.qtplugindir", po::value<std::string>(&ignored));
        // clang-format on
        try {
            po::variables_map values;
            po::store(po::parse_config_file<char>(IniFileName, options), values);
            po::notify(values);
        } catch (const std::exception&) {
            std::cerr << "Could not read ini file! Setting default paths." << std::endl;
            setDefaultPaths(programDir);
        }
    }

    for (std::string* path : {&_configDir, &_devicesDir, &_schemaDir, &_unitsDir, &_userDir})
        removeQuotes(path);
}

void ConfigFile::setDefaultPaths(const std::string& programDir)
{
    _schemaDir = programDir + "/../schema";
    _configDir = programDir + "/../config";
    _unitsDir = programDir + "/../units";
    _devicesDir = programDir + "/../devices";
    _userDir = programDir + "/../user";
}

} // namespace kirolab::interpreter
