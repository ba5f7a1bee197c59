#include <lum/qt/gui/option/Dialog.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lum/qt/gui/option/Page.h>
#include <lum/qt/translation/Manager.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using lum::qt::gui::option::Dialog;
using lum::qt::gui::option::EditorSettings;
using lum::qt::gui::option::Page;

namespace {

class OptionDialogTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { lum::qt::translation::Manager::singleton().setLanguage(QStringLiteral("en")); }
};

Page* pageNamed(Dialog& dialog, const QString& objectName)
{
    for (Page* page : dialog.pages())
        if (page->objectName() == objectName)
            return page;
    return nullptr;
}

} // namespace

TEST_F(OptionDialogTest, listsTopLevelPagesAndTheirSubPages)
{
    Dialog dialog(nullptr, nullptr);
    auto* upload = new Page;
    upload->setTitle(QStringLiteral("Upload & Execute"));
    auto* detail = new Page;
    detail->setTitle(QStringLiteral("Details"));
    dialog.addPage(upload, true);
    dialog.addPage(detail, false);

    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("pageList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("General"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Editor"));
    EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("Upload & Execute"));
    ASSERT_EQ(list->topLevelItem(2)->childCount(), 1);
    EXPECT_EQ(list->topLevelItem(2)->child(0)->text(0), QStringLiteral("Details"));

    // Choosing an entry shows its page; a page's new title shows in the list.
    auto* stack = dialog.findChild<QStackedWidget*>(QStringLiteral("pages"));
    list->setCurrentItem(list->topLevelItem(2)->child(0));
    EXPECT_EQ(stack->currentWidget(), detail);
    EXPECT_EQ(dialog.currentPage(), detail);
    detail->setTitle(QStringLiteral("More"));
    EXPECT_EQ(list->topLevelItem(2)->child(0)->text(0), QStringLiteral("More"));
}

TEST_F(OptionDialogTest, editorChoicesAreAppliedAtOnceAndKept)
{
    QSignalSpy changed(&EditorSettings::singleton(), &EditorSettings::changed);
    Dialog dialog(nullptr, nullptr);
    Page* editor = pageNamed(dialog, QStringLiteral("editorPage"));
    ASSERT_NE(editor, nullptr);
    auto* gridSize = editor->findChild<QSpinBox*>(QStringLiteral("gridSize"));
    auto* snap = editor->findChild<QCheckBox*>(QStringLiteral("snapToGrid"));
    auto* values = editor->findChild<QCheckBox*>(QStringLiteral("showValuesWhileSimulating"));
    ASSERT_TRUE(gridSize && snap && values);
    EXPECT_EQ(gridSize->value(), EditorSettings::DefaultGridSize);
    EXPECT_TRUE(snap->isChecked());
    EXPECT_TRUE(values->isChecked());
    EXPECT_TRUE(changed.isEmpty());

    gridSize->setValue(25);
    snap->setChecked(false);
    values->setChecked(false);
    EXPECT_EQ(EditorSettings::singleton().gridSize(), 25);
    EXPECT_FALSE(EditorSettings::singleton().snapToGrid());
    EXPECT_FALSE(EditorSettings::singleton().showValuesWhileSimulating());
    EXPECT_EQ(changed.size(), 3);

    // The next start reads them back, and a new dialog shows them.
    EditorSettings nextStart;
    EXPECT_EQ(nextStart.gridSize(), 25);
    EXPECT_FALSE(nextStart.snapToGrid());
    EXPECT_FALSE(nextStart.showValuesWhileSimulating());
    Dialog again(nullptr, nullptr);
    EXPECT_EQ(pageNamed(again, QStringLiteral("editorPage"))->findChild<QSpinBox*>()->value(), 25);
}

TEST_F(OptionDialogTest, aDamagedStoredGridSizeStillGivesAUsableGrid)
{
    QSettings().setValue(QStringLiteral("editor/gridSize"), 0);
    EXPECT_EQ(EditorSettings().gridSize(), EditorSettings::MinimumGridSize);
    QSettings().setValue(QStringLiteral("editor/gridSize"), 100000);
    EXPECT_EQ(EditorSettings().gridSize(), EditorSettings::MaximumGridSize);
    QSettings().setValue(QStringLiteral("editor/gridSize"), QStringLiteral("wide"));
    EXPECT_EQ(EditorSettings().gridSize(), EditorSettings::DefaultGridSize);
}

TEST_F(OptionDialogTest, generalPageSwitchesAndStoresTheLanguage)
{
    Dialog dialog(nullptr, nullptr);
    Page* general = pageNamed(dialog, QStringLiteral("generalPage"));
    ASSERT_NE(general, nullptr);
    auto* language = general->findChild<QComboBox*>(QStringLiteral("language"));
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->currentData().toString(), QStringLiteral("en"));

    const int german = language->findData(QStringLiteral("de"));
    ASSERT_GE(german, 0);
    language->setCurrentIndex(german);
    emit language->activated(german);
    EXPECT_EQ(lum::qt::translation::Manager::singleton().currentLanguageString(), QStringLiteral("de"));
    EXPECT_EQ(QSettings().value(QStringLiteral("language")).toString(), QStringLiteral("de"));
}

TEST_F(OptionDialogTest, onlyOneDialogAtATimeAndClosingDeletesIt)
{
    QAction options;
    QPointer<Dialog> dialog = new Dialog(nullptr, &options);
    dialog->show();
    EXPECT_FALSE(options.isEnabled());

    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(options.isEnabled());

    dialog = new Dialog(nullptr, &options);
    dialog->show();
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(options.isEnabled());
}
