#include <kirogen/Singletons.h>
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Workbench-kit tests run in a widget application with a home folder and settings store of
// their own; the runtime kit is set up once for the whole program.
int main(int argc, char** argv)
{
    QTemporaryDir sandbox;
    if (!sandbox.isValid())
        return 2;
    qputenv("HOME", sandbox.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (sandbox.path() + QStringLiteral("/.config")).toLocal8Bit());

    // Also when listing the tests, which runs without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
    kirogen::singletons_init(nullptr, "UTF-8");

    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    kirogen::singletons_done();
    return result;
}
