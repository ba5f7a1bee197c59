#include "tavview/Startup.h"

#include <kirolab/Version.h>
#include <kirolab/interpreter/UserProfile.h>
#include <lum/cv/Cv.h>
#include <lum/navigation/Navigation.h>
#include <lumlink/Singletons.h>
#include <util/UserProfilePath.h>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

namespace tavview::startup {

namespace {

const char* const directoryKeys[] = {"packages_dir", "pkgtools", "userdir"};

QString startupErrorTitle()
{
    return QCoreApplication::applicationName() + QStringLiteral(" startup error");
}

} // namespace

QString workingDirectoryFor(const QString& applicationDir)
{
    const QString dir = QDir::fromNativeSeparators(applicationDir);
    if (dir.endsWith(QLatin1String("bin"), Qt::CaseInsensitive))
        return dir;
    if (dir.endsWith(QLatin1String("target"), Qt::CaseInsensitive))
        return dir + QStringLiteral("/../tavview2");
    for (const char* build :
         {"target/debug", "target/release", "target/minsizerel", "target/relwithdebinfo"}) {
        if (dir.endsWith(QLatin1String(build), Qt::CaseInsensitive))
            return dir + QStringLiteral("/../../tavview2");
    }
    return QString();
}

void applyWorkingDirectoryRule()
{
    const QString target = workingDirectoryFor(QCoreApplication::applicationDirPath());
    if (target.isEmpty() || QDir(target) == QDir::current())
        return;
    qDebug().noquote() << "New working directory:" << target;
    QDir::setCurrent(target);
}

bool parseCommandLine(const QStringList& arguments, CommandLine& result)
{
    for (const QString& argument : arguments) {
        if (argument.endsWith(QLatin1String(".tkp2")) || argument.endsWith(QLatin1String(".tkpx"))) {
            if (!QFileInfo::exists(argument)) {
                QMessageBox box(QMessageBox::Critical, startupErrorTitle(),
                                QObject::tr("Project file\n\n%1\n\ngiven at the command line does not exist.")
                                    .arg(argument),
                                QMessageBox::Ok);
                box.setObjectName(QStringLiteral("startupErrorBox"));
                box.exec();
                return false;
            }
            result.projectPath = argument;
        } else if (argument == QLatin1String("/autostart")) {
            result.autoStart = true;
        }
    }
    if (result.autoStart && result.projectPath.isEmpty()) {
        printHelp();
        return false;
    }
    return true;
}

void readIni(const QString& iniFile)
{
    QSettings settings;
    if (QFileInfo::exists(iniFile)) {
        const QSettings ini(iniFile, QSettings::IniFormat);
        for (const char* key : directoryKeys)
            settings.setValue(QLatin1String(key), ini.value(QLatin1String(key)));
        return;
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    settings.setValue(QStringLiteral("packages_dir"), programDir + QStringLiteral("/../packages/"));
    settings.setValue(QStringLiteral("pkgtools"), programDir + QStringLiteral("/../packages/pkgtools.tar"));
    settings.setValue(QStringLiteral("userdir"), programDir + QStringLiteral("/../user"));
}

void printHelp()
{
    const QString text =
        QCoreApplication::applicationName() +
        QStringLiteral(" %1.%2.%3")
            .arg(kirolab::VersionMajor)
            .arg(kirolab::VersionMinor)
            .arg(kirolab::VersionPatch) +
        QStringLiteral("\n\n") + QStringLiteral("Usage: \n") +
        QStringLiteral("tavview%1 [OPTIONS] [PROJECT] \n\n").arg(kirolab::VersionMajor) +
        QStringLiteral("Options:\n") +
        QStringLiteral("/autostart      Only in conjunction with a valid tkp2 project file\n") +
        QStringLiteral("                Connect all devices. Then start the main program.\n");
    QMessageBox box(QMessageBox::Information,
                    QCoreApplication::applicationName() + QStringLiteral(" command line arguments"), text,
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("usageBox"));
    box.exec();
}

void initUserProfile()
{
    const QString profile = util::userProfilePath();
    QDir home = QDir::home();
    if (!home.exists(profile) && !home.mkpath(profile))
        return;
    QDir source(QSettings().value(QStringLiteral("userdir")).toString());
    QDir target(home.filePath(profile));
    kirolab::interpreter::copyRec(source, target);
}

void initLibraries(kirogen::observer::Observer* loadingObserver)
{
    lumlink::singletons_init(loadingObserver);
    lum::cv::init();
    lum::navigation::init();
}

} // namespace tavview::startup
