#include "tavview/AutoStart.h"
#include "tavview/MainWindow.h"
#include "tavview/SplashScreen.h"
#include "tavview/Startup.h"
#include "tavview/WebLinks.h"

#include <kirolab/Version.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/Singletons.h>
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <cstdlib>
#include <exception>
#include <memory>

// Outside any namespace: the macros declare the resource functions where they are used.
static void initResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(appicon);
}

static void cleanupResources()
{
    Q_CLEANUP_RESOURCE(appicon);
    Q_CLEANUP_RESOURCE(images);
}

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (const char* size : {"16", "32", "64"})
        icon.addPixmap(QPixmap(QStringLiteral(":/appicon/%1.png").arg(QLatin1String(size))), QIcon::Normal,
                       QIcon::Off);
    return icon;
}

[[noreturn]] void failWith(const QString& text)
{
    QMessageBox::critical(nullptr, QStringLiteral("Error"), text, QMessageBox::Ok);
    std::exit(-1);
}

} // namespace

int main(int argc, char** argv)
{
    auto application = std::make_unique<QApplication>(argc, argv);
    initResources();
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setOrganizationDomain(tavview::WebLinks::makerDomain());
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View %1").arg(kirolab::VersionMajor));
    QApplication::setWindowIcon(applicationIcon());
    qDebug().noquote() << "Initial working directory:" << QDir::currentPath();

    tavview::startup::applyWorkingDirectoryRule();
    tavview::startup::CommandLine commandLine;
    if (!tavview::startup::parseCommandLine(QCoreApplication::arguments(), commandLine))
        return 1;

    auto splash = std::make_unique<tavview::SplashScreen>();
    int status = 0;
    try {
        lumlink::readIni(QStringLiteral("tavview2.ini"));
        tavview::startup::readIni(QStringLiteral("tavview2.ini"));
        tavview::startup::initUserProfile();
        tavview::startup::initLibraries(splash.get());
        lum::qt::translation::Manager::singleton().addCatalogue(QStringLiteral("tavview"));
        lum::qt::translation::Manager::singleton().applySavedLanguage();
        splash->show();
        lumlink::loadSystem(3);

        auto window = std::make_unique<tavview::MainWindow>();
        window->open(commandLine.projectPath);
        if (commandLine.autoStart)
            tavview::autoStartActiveProject();
        window->show();
        splash->finish(window.get());

        status = QApplication::exec();
        window.reset();
        lumlink::writeIni();
        lumlink::singletons_done();
    } catch (const std::exception& error) {
        failWith(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        failWith(QStringLiteral("Unkown exception"));
    }
    splash.reset();
    cleanupResources();
    application.reset();
    return status;
}
