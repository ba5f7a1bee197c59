#include <tavview/AboutScreen.h>
#include <tavview/SplashBackground.h>
#include <tavview/SplashScreen.h>
#include <util/XmlString.h>
#include <QCoreApplication>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

using kirogen::observer::DataRole;
using lum::core::variant::Variant;

namespace {

Variant loading(const char* what)
{
    return Variant::fromValue(util::XmlString(what));
}

// Where the version line is painted; clear of the About dialog's button.
const QRect VersionLine(190, 244, 210, 22);

TEST(SplashScreen, ShowsTheLatestLoadingNotificationFromAnotherThreadOnTheGuiThread)
{
    tavview::SplashScreen splash;
    // The library asks the widget for its observer part by the observer type's name.
    auto* observer =
        static_cast<kirogen::observer::Observer*>(splash.qt_metacast("kirogen::observer::Observer"));
    ASSERT_EQ(observer, static_cast<kirogen::observer::Observer*>(&splash));
    kirogen::observer::Observable registry;
    registry.registerObserver(observer);

    std::thread loader([&registry] {
        registry.notify(DataRole::LoadingProgress, &registry, loading("/data/devices/camera.xml"));
        registry.notify(DataRole::LoadingProgress, &registry, loading("/data/devices/tavik.xml"));
    });
    loader.join();
    // Queued across threads: nothing has touched the widget yet.
    EXPECT_TRUE(splash.message().isEmpty());

    QCoreApplication::processEvents();
    EXPECT_EQ(splash.message(), QStringLiteral("Loading /data/devices/tavik.xml"));
}

TEST(SplashScreen, IgnoresNotificationsOfOtherRoles)
{
    tavview::SplashScreen splash;
    kirogen::observer::Observable device;
    device.registerObserver(&splash);

    device.notify(DataRole::LoadingProgress, &device, loading("types.xml"));
    EXPECT_EQ(splash.message(), QStringLiteral("Loading types.xml"));

    for (int role : {int(DataRole::DeviceConnected), int(DataRole::DeviceDisconnected),
                     int(DataRole::GlobalVariableUpdated), 54, 56})
        device.notify(DataRole(role), &device, loading("other.xml"));
    QCoreApplication::processEvents();
    EXPECT_EQ(splash.message(), QStringLiteral("Loading types.xml"));
}

TEST(SplashBackground, IsTheStartPictureWithTheVersionLinePaintedOn)
{
    const QImage plain(QStringLiteral(":/images/splashscreen.png"));
    const QImage painted = tavview::splashBackground().toImage();
    ASSERT_EQ(plain.size(), QSize(400, 313));
    ASSERT_EQ(painted.size(), plain.size());

    const QImage format = plain.convertToFormat(painted.format());
    EXPECT_NE(painted.copy(VersionLine), format.copy(VersionLine));
    // Nothing but the version line is painted.
    EXPECT_EQ(painted.copy(0, 0, 400, 240), format.copy(0, 0, 400, 240));
}

TEST(AboutScreen, IsAFixedPictureWithTheSplashVersionLineAndAnOkButtonThatAccepts)
{
    tavview::AboutScreen about(nullptr);
    EXPECT_EQ(about.minimumSize(), QSize(400, 313));
    EXPECT_EQ(about.maximumSize(), QSize(400, 313));

    QPushButton* ok = about.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Ok"));
    EXPECT_EQ(ok->pos(), QPoint(250, 283));
    EXPECT_EQ(ok->size(), ok->sizeHint());
    EXPECT_FALSE(ok->accessibleName().isEmpty());

    const QImage shown = about.grab().toImage();
    const QImage splash = tavview::splashBackground().toImage().convertToFormat(shown.format());
    EXPECT_EQ(shown.copy(VersionLine), splash.copy(VersionLine));

    QTimer::singleShot(0, ok, &QPushButton::click);
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
