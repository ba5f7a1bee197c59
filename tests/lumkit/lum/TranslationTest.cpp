#include <lum/qt/FileHistory.h>
#include <lum/qt/gui/option/Dialog.h>
#include <lum/qt/gui/option/Page.h>
#include <lum/qt/log/View.h>
#include <lum/qt/log/Window.h>
#include <lum/qt/translation/Manager.h>
#include <lum/qt/translation/Menu.h>
#include <lumlink/HelpSystem.h>
#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <gtest/gtest.h>

using lum::qt::translation::Manager;

namespace {

class TranslationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().clear();
        Manager::singleton().setCatalogueDirectory(QStringLiteral(LUMKIT_TRANSLATIONS_DIR));
        Manager::singleton().addCatalogue(QStringLiteral("lumlink"));
        Manager::singleton().setLanguage(QStringLiteral("en"));
    }
    void TearDown() override { Manager::singleton().setLanguage(QStringLiteral("en")); }
};

QString checkedLanguage(const QMenu& menu)
{
    for (const QAction* action : menu.actions())
        if (action->isChecked())
            return action->data().toString();
    return QString();
}

QStringList pageTitles(const lum::qt::gui::option::Dialog& dialog)
{
    QStringList titles;
    for (const auto* page : dialog.pages())
        titles.append(page->title());
    return titles;
}

} // namespace

TEST_F(TranslationTest, switchingRelabelsTheKitAtOnce)
{
    QAction logAction;
    lum::qt::log::Window logWindow(&logAction);
    auto* dialog = new lum::qt::gui::option::Dialog(nullptr, nullptr);
    lum::qt::translation::Menu languages;
    QMenu* recent = lum::qt::FileHistory::singleton().menu();
    QAction* contents = lumlink::HelpSystem::singleton().helpAction(QStringLiteral("index"));
    QSignalSpy changed(&Manager::singleton(), &Manager::languageChanged);

    EXPECT_EQ(logWindow.windowTitle(), QStringLiteral("Messages"));
    EXPECT_EQ(pageTitles(*dialog), QStringList({"General", "Editor"}));
    EXPECT_EQ(checkedLanguage(languages), QStringLiteral("en"));

    ASSERT_TRUE(Manager::singleton().setLanguage(QStringLiteral("de")));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(Manager::singleton().currentLanguageString(), QStringLiteral("de"));
    EXPECT_EQ(logWindow.windowTitle(), QStringLiteral("Meldungen"));
    EXPECT_EQ(logWindow.view()->clearAction()->text(), QStringLiteral("&Leeren"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(pageTitles(*dialog), QStringList({"Allgemein", "Editor"}));
    EXPECT_EQ(languages.title(), QStringLiteral("&Sprache"));
    EXPECT_EQ(checkedLanguage(languages), QStringLiteral("de"));
    EXPECT_EQ(recent->title(), QStringLiteral("Zuletzt geöffnete Projekte"));
    EXPECT_EQ(contents->text(), QStringLiteral("&Inhalt der Hilfe"));

    // Choosing English in the language menu switches back.
    for (QAction* action : languages.actions())
        if (action->data().toString() == QLatin1String("en"))
            action->trigger();
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(logWindow.windowTitle(), QStringLiteral("Messages"));
    EXPECT_EQ(pageTitles(*dialog), QStringList({"General", "Editor"}));
    EXPECT_EQ(contents->text(), QStringLiteral("Help &Contents"));
    delete dialog;
}

TEST_F(TranslationTest, theChoiceIsStoredAndAppliedAtTheNextStart)
{
    ASSERT_TRUE(Manager::singleton().setLanguage(QStringLiteral("de")));
    EXPECT_EQ(QSettings().value(QStringLiteral("language")).toString(), QStringLiteral("de"));

    // What a new start does: the stored choice is read before any window exists.
    ASSERT_TRUE(Manager::singleton().setLanguage(QStringLiteral("en")));
    QSettings().setValue(QStringLiteral("language"), QStringLiteral("de"));
    Manager::singleton().applySavedLanguage();
    EXPECT_EQ(Manager::singleton().currentLanguageString(), QStringLiteral("de"));
    lum::qt::log::View view;
    EXPECT_EQ(view.copyAction()->text(), QStringLiteral("&Kopieren"));
}

TEST_F(TranslationTest, unknownLanguagesChangeNothing)
{
    QSignalSpy changed(&Manager::singleton(), &Manager::languageChanged);
    EXPECT_FALSE(Manager::singleton().setLanguage(QStringLiteral("fr")));
    QSettings().setValue(QStringLiteral("language"), QStringLiteral("klingon"));
    Manager::singleton().applySavedLanguage();
    EXPECT_EQ(Manager::singleton().currentLanguageString(), QStringLiteral("en"));
    EXPECT_TRUE(changed.isEmpty());
    lum::qt::log::View view;
    EXPECT_EQ(view.copyAction()->text(), QStringLiteral("&Copy"));
}
