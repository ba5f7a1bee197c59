#include <QApplication>
#include <gtest/gtest.h>

// GoogleTest entry for widget tests: they need a QApplication, offscreen unless told otherwise
// (the test discovery at build time runs it without a display).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
