#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kiroutil/log/Log.h>
#include <lum/qt/log/Log.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/HelpSystem.h>
#include <lumlink/HelpWindow.h>
#include <lumlink/Installation.h>
#include <lumlink/RuntimeLogReceiver.h>
#include <lumlink/Singletons.h>
#include <lumlink/project/Manager.h>
#include <util/XmlSerializer.h>
#include <util/XmlString.h>
#include <QCoreApplication>
#include <QSettings>

#include <memory>
#include <string>

namespace lumlink {

namespace {

// The runtime kit's log reaches the message window from start-up to shut-down. The log is made
// first so that, when singletons_done was never called, the receiver still goes before it.
std::unique_ptr<RuntimeLogReceiver>& runtimeLog()
{
    kiroutil::Log::singleton();
    static std::unique_ptr<RuntimeLogReceiver> receiver;
    return receiver;
}

// Several folders may be given, separated by ";", as the interpreter takes them.
QStringList folders(const QString& setting)
{
    return setting.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

void announce(const QString& file)
{
    if (kirogen::observer::Observer* observer = kirogen::loadingObserver())
        observer->on_notify(kirogen::observer::DataRole::LoadingProgress, nullptr,
                            lum::core::variant::Variant::fromValue(util::XmlString(file.toStdString())));
}

} // namespace

void readIni(const QString& iniFile)
{
    if (!Installation::singleton().read(iniFile))
        lum::qt::log::Log::log(lum::qt::log::Log::Warning,
                               QCoreApplication::translate("lumlink",
                                                           "Could not read %1: using the folders beside the "
                                                           "program.")
                                   .arg(iniFile));
}

void writeIni()
{
    const Installation& installation = Installation::singleton();
    QSettings settings;
    settings.beginGroup(QStringLiteral("lumlink"));
    settings.setValue(QStringLiteral("configdir"), installation.configDir());
    settings.setValue(QStringLiteral("devicesdir"), installation.devicesDir());
    settings.setValue(QStringLiteral("unitsdir"), installation.unitsDir());
    settings.setValue(QStringLiteral("schemadir"), installation.schemaDir());
    settings.setValue(QStringLiteral("helpdir"), installation.helpDir());
    settings.setValue(QStringLiteral("translationsdir"), installation.translationsDir());
    settings.setValue(QStringLiteral("examplesdir"), installation.examplesDir());
    settings.setValue(QStringLiteral("userdir"), installation.userDir());
}

void loadSystem(int parts)
{
    const Installation& installation = Installation::singleton();
    if (parts & DataAndActorTypes) {
        const QString types = installation.configDir() + QStringLiteral("/types.xml");
        announce(types);
        kirogen::model::TypeRegistry::loadTypes(types.toStdString());
        // Each file is named as it is read, not all of them before any is.
        for (const QString& dir : folders(installation.unitsDir()))
            kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(
                dir.toStdString(), [](const std::string& file) { announce(QString::fromStdString(file)); });
    }
    // The device-type registry tells the observer about each of its files itself.
    if (parts & DeviceTypes) {
        for (const QString& dir : folders(installation.devicesDir()))
            kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(dir.toStdString());
    }
}

void singletons_init(kirogen::observer::Observer* loadingObserver)
{
    kirogen::singletons_init(loadingObserver, "UTF-8");
    runtimeLog() = std::make_unique<RuntimeLogReceiver>();
    const Installation& installation = Installation::singleton();
    util::XmlSerializer::addGlobalEntityResolverSearchPath(installation.schemaDir().toStdString());
    // The folders of the ini file, where the workbench's catalogues and help pages are.
    lum::qt::translation::Manager::singleton().setCatalogueDirectory(installation.translationsDir());
    lum::qt::translation::Manager::singleton().addCatalogue(QStringLiteral("lumlink"));
    HelpSystem::singleton().setHelpDirectory(installation.helpDir());
}

void singletons_done()
{
    project::Manager::singleton().closeProject();
    runtimeLog().reset();
    kirogen::singletons_done();
}

} // namespace lumlink
