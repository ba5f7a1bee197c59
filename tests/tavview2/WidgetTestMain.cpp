#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests run in a QApplication with the workbench's pictures registered, as in the
// program, and with a home folder and settings store of their own.
int main(int argc, char** argv)
{
    QTemporaryDir sandbox;
    if (!sandbox.isValid())
        return 2;
    qputenv("HOME", sandbox.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (sandbox.path() + QStringLiteral("/.config")).toLocal8Bit());

    // Never a window on the user's screen, also when started by hand or for test discovery.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(appicon);

    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    Q_CLEANUP_RESOURCE(appicon);
    Q_CLEANUP_RESOURCE(images);
    return status;
}
