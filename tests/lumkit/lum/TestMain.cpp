#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The kit's widget tests run without a display, with a home folder and settings store of their
// own, so that stored languages, histories and editor settings never touch the user's.
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

    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
