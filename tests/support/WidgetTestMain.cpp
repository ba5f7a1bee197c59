#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// GoogleTest entry for widget tests: a QApplication with the workbench's identity, never on the
// user's screen, and a home folder and settings store of its own, so that stored languages,
// histories, window layouts and editor settings never touch the user's. What a test program
// needs beyond that (registries, pictures) it sets up in a testing::Environment of its own.
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

    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
