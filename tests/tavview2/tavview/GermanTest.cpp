#include <lum/qt/translation/Manager.h>
#include <tavview/AboutScreen.h>
#include <tavview/Actions.h>
#include <tavview/LogList.h>
#include <tavview/PasswordProtection.h>
#include <tavview/ProtectDialog.h>
#include <tavview/SplashScreen.h>
#include <tavview/toolbar/DummyTavikWidget.h>
#include <util/XmlString.h>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

class Unprotected : public PasswordProtection
{
public:
    QString password() const override { return QString(); }
    bool passwordValidated() const override { return false; }
    void validatePassword(const QString&) override {}
    void setPassword(const QString&) override {}
};

// The German texts as the build compiles them, switched on and off like the language menu does.
class German : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(_translator.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
        QCoreApplication::installTranslator(&_translator);
    }
    void TearDown() override { english(); }

    void english() { QCoreApplication::removeTranslator(&_translator); }

private:
    QTranslator _translator;
};

TEST_F(German, WidgetsSpeakGermanWhenBuiltAndWhenRetranslated)
{
    tavview::SplashScreen splash;
    kirogen::observer::Observable registry;
    registry.registerObserver(&splash);
    registry.notify(kirogen::observer::DataRole::LoadingProgress, &registry,
                    lum::core::variant::Variant::fromValue(util::XmlString("units")));
    EXPECT_EQ(splash.message(), QStringLiteral("Lade units"));

    tavview::AboutScreen about(nullptr);
    EXPECT_EQ(about.findChild<QPushButton*>()->text(), QStringLiteral("OK"));

    Unprotected protection;
    ProtectDialog dialog(protection, nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly)->text(),
              QStringLiteral("Das Projekt ist nicht geschützt."));
    EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("Passwort ändern"));

    tavview::toolbar::DummyTavikWidget dummy(nullptr);
    EXPECT_EQ(dummy.findChild<QLabel*>()->text(), QStringLiteral("Kein Tavik verfügbar"));
    tavview::LogList log(nullptr);
    EXPECT_EQ(log.accessibleName(), QStringLiteral("Meldungen der Roboterverbindung"));

    // What lives on (the shared actions, the toolbar's stand-in, the robot link's messages)
    // follows a language change as the language menu announces it.
    lum::qt::translation::Manager& languages = lum::qt::translation::Manager::singleton();
    tavview::Actions& actions = tavview::Actions::singleton();
    emit languages.languageChanged();
    EXPECT_EQ(actions.uploadCurProj->text(), QStringLiteral("Projekt hochladen"));
    EXPECT_EQ(actions.showToolbar->text(), QStringLiteral("Werkzeugleiste"));
    english();
    emit languages.languageChanged();
    EXPECT_EQ(actions.uploadCurProj->text(), QStringLiteral("Upload project"));
    EXPECT_EQ(actions.showToolbar->text(), QStringLiteral("Toolbar"));
    EXPECT_EQ(dummy.findChild<QLabel*>()->text(), QStringLiteral("No Tavik available"));
    EXPECT_EQ(log.accessibleName(), QStringLiteral("Robot link messages"));
}

} // namespace
