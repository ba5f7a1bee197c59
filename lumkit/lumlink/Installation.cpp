#include <lumlink/Installation.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <boost/program_options.hpp>
#include <string>

namespace lumlink {

namespace po = boost::program_options;

Installation& Installation::singleton()
{
    static Installation instance;
    return instance;
}

Installation::Installation()
{
    setDefaults();
}

QString Installation::programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

void Installation::setDefaults()
{
    const QString base = programDirectory() + QStringLiteral("/../");
    _configDir = base + QStringLiteral("config");
    _devicesDir = base + QStringLiteral("devices");
    _unitsDir = base + QStringLiteral("units");
    _schemaDir = base + QStringLiteral("schema");
    _helpDir = base + QStringLiteral("help");
    _translationsDir = base + QStringLiteral("translations");
    _examplesDir = base + QStringLiteral("examples");
    _userDir = base + QStringLiteral("user");
}

bool Installation::read(const QString& iniFile)
{
    setDefaults();
    if (!QFileInfo::exists(iniFile))
        return true;
    // As the interpreter reads the file: every key of section General is allowed, the
    // library takes its own, and quotes around values are dropped.
    std::string configDir, devicesDir, unitsDir, schemaDir, helpDir, translationsDir, examplesDir, userDir,
        ignored;
    po::options_description options;
    options.add_options()("General.configdir", po::value<std::string>(&configDir))(
        "General.devicesdir", po::value<std::string>(&devicesDir))(
        "General.unitsdir", po::value<std::string>(&unitsDir))("General.schemadir",
                                                               po::value<std::string>(&schemaDir))(
        "General.helpdir", po::value<std::string>(&helpDir))("General.translationsdir",
                                                             po::value<std::string>(&translationsDir))(
        "General.examplesdir", po::value<std::string>(&examplesDir))("General.userdir",
                                                                     po::value<std::string>(&userDir));
    for (const char* key :
         {"tavikdevicedir", "toolchainsdir", "platformsdir", "plugindir", "runtimedir", "templatesdir",
          "cmake", "make", "forming", "loadDirectory", "packages_dir", "pkgtools", "qtplugindir"})
        options.add_options()((std::string("General.") + key).c_str(), po::value<std::string>(&ignored));
    try {
        po::variables_map values;
        po::store(po::parse_config_file<char>(iniFile.toLocal8Bit().constData(), options), values);
        po::notify(values);
    } catch (const std::exception&) {
        return false;
    }
    const auto take = [](const std::string& value, QString* target) {
        QString text = QString::fromStdString(value);
        text.remove(QLatin1Char('"'));
        if (!text.isEmpty())
            *target = text;
    };
    take(configDir, &_configDir);
    take(devicesDir, &_devicesDir);
    take(unitsDir, &_unitsDir);
    take(schemaDir, &_schemaDir);
    take(helpDir, &_helpDir);
    take(translationsDir, &_translationsDir);
    take(examplesDir, &_examplesDir);
    take(userDir, &_userDir);
    return true;
}

} // namespace lumlink
