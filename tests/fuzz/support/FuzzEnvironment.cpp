#include <FuzzEnvironment.h>

#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <util/XmlSerializer.h>
#include <ConfinedXmlFiles.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>
#include <iostream>

namespace fuzz {

namespace {

// On a memory file system where there is one: every input is written to a file, and rewriting
// a file on a disk file system sends it to the disk each time.
QString sandboxTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString name = QStringLiteral("tavview-fuzz-XXXXXX");
    return memory.isDir() && memory.isWritable() ? QDir(memory.filePath()).filePath(name)
                                                 : QDir::temp().filePath(name);
}

QTemporaryDir& sandbox()
{
    static QTemporaryDir dir(sandboxTemplate());
    if (!dir.isValid()) {
        std::cerr << "Cannot make a temporary folder." << std::endl;
        std::abort();
    }
    return dir;
}

} // namespace

QCoreApplication& application()
{
    // Never destroyed: at exit Qt's own globals may be gone before it.
    static QCoreApplication* instance = nullptr;
    if (!instance) {
        const QString home = sandbox().filePath(QStringLiteral("home"));
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        instance = new QCoreApplication(argc, argv);
        QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
        QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
        // As the interpreter does: numbers are read and written in the C locale.
        std::setlocale(LC_ALL, "C");
    }
    return *instance;
}

const std::string& scratchDir()
{
    static const std::string dir = sandbox().filePath(QStringLiteral("scratch")).toStdString();
    static const bool made = QDir().mkpath(QString::fromStdString(dir));
    if (!made) {
        std::cerr << "Cannot make " << dir << std::endl;
        std::abort();
    }
    return dir;
}

std::string distDir()
{
    return TAVVIEW_DIST_DIR;
}

void loadShippedSystem()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    kirogen::singletons_init(nullptr, "UTF-8");
    const std::string schemas = distDir() + "/schema";
    confineXmlFiles({schemas});
    util::XmlSerializer::addGlobalEntityResolverSearchPath(schemas);
    kirogen::model::TypeRegistry::loadTypes(distDir() + "/config/types.xml");
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(distDir() + "/units");
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(distDir() + "/devices");
}

} // namespace fuzz
