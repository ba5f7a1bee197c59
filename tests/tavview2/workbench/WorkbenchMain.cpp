#include <lumlink/Singletons.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The main window's tests run in the program's surroundings: its own home and settings, the
// built data tree and the loaded registries, as the program has them once started.
int main(int argc, char** argv)
{
    QTemporaryDir sandbox;
    if (!sandbox.isValid())
        return 2;
    qputenv("HOME", sandbox.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (sandbox.path() + QStringLiteral("/.config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(appicon);
    testing::InitGoogleTest(&argc, argv);

    QDir::setCurrent(QStringLiteral(TAVVIEW_BUILD_DIR "/bin"));
    lumlink::readIni(QStringLiteral("tavview2.ini"));
    lumlink::singletons_init(nullptr);
    lumlink::loadSystem(3);
    const int status = RUN_ALL_TESTS();
    lumlink::singletons_done();
    Q_CLEANUP_RESOURCE(appicon);
    Q_CLEANUP_RESOURCE(images);
    return status;
}
