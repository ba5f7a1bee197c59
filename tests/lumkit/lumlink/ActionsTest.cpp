#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <QAction>
#include <QSignalSpy>
#include <gtest/gtest.h>

using lumlink::Actions;

TEST(ActionsTest, EveryActionHasATextAndTheStandardKeysGoWhereTheWindowSendsThem)
{
    Actions& actions = Actions::singleton();
    const QList<QAction*> all = actions.findChildren<QAction*>();
    EXPECT_GE(all.size(), 33);
    for (const QAction* action : all) {
        EXPECT_FALSE(action->text().isEmpty());
        EXPECT_FALSE(action->toolTip().isEmpty()) << action->text().toStdString();
    }
    const std::pair<QAction*, QKeySequence::StandardKey> keys[] = {
        {actions.newProjectAction, QKeySequence::New},
        {actions.openAction, QKeySequence::Open},
        {actions.saveAction, QKeySequence::Save},
        {actions.saveAsAction, QKeySequence::SaveAs},
        {actions.quitAction, QKeySequence::Quit},
        {actions.cutAction, QKeySequence::Cut},
        {actions.copyGlobalAction, QKeySequence::Copy},
        {actions.pasteAction, QKeySequence::Paste},
        {actions.deleteAction, QKeySequence::Delete},
        {actions.selectAllGlobalAction, QKeySequence::SelectAll},
        {actions.zoomInAction, QKeySequence::ZoomIn},
        {actions.zoomOutAction, QKeySequence::ZoomOut},
        {actions.mainWindowLibraryAction, QKeySequence::HelpContents},
    };
    for (const auto& [action, key] : keys)
        EXPECT_EQ(action->shortcut(), QKeySequence(key)) << action->text().toStdString();
    // The editor variants carry no keys of their own: one key, one action.
    EXPECT_TRUE(actions.copyAction->shortcut().isEmpty());
    EXPECT_TRUE(actions.selectAllAction->shortcut().isEmpty());
    EXPECT_TRUE(actions.magnifierAction->isCheckable());
    EXPECT_TRUE(actions.logWindowAction->isCheckable());
    EXPECT_FALSE(actions.saveAction->icon().isNull());
}

TEST(ActionsTest, TextsFollowTheLanguage)
{
    auto& manager = lum::qt::translation::Manager::singleton();
    manager.setCatalogueDirectory(QStringLiteral(TAVVIEW_BUILD_DIR "/translations"));
    manager.addCatalogue(QStringLiteral("lumlink"));
    Actions& actions = Actions::singleton();
    ASSERT_TRUE(manager.setLanguage(QStringLiteral("de")));
    EXPECT_EQ(actions.saveAction->text(), "&Speichern");
    EXPECT_EQ(actions.viewLibraryAction1->text(), "&Globale Variablen");
    EXPECT_EQ(actions.newProjectAction->text(), "&Neues Projekt");
    ASSERT_TRUE(manager.setLanguage(QStringLiteral("en")));
    EXPECT_EQ(actions.saveAction->text(), "&Save");
    EXPECT_EQ(actions.viewLibraryAction1->text(), "&Global Variables");
}
