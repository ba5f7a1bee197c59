#include <lum/qt/FileHistory.h>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <gtest/gtest.h>

using lum::qt::FileHistory;

namespace {

QString projectPath(int i)
{
    return QStringLiteral("/projects/robot%1.tkpx").arg(i);
}

QList<QAction*> entries(QMenu* menu)
{
    QList<QAction*> result;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            result.append(action);
    return result;
}

// Each case starts from an empty settings store, also when all run in one process.
class FileHistoryTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }
};

} // namespace

TEST_F(FileHistoryTest, keepsTheNewestTenWithoutDuplicates)
{
    FileHistory history;
    for (int i = 1; i <= 12; ++i)
        history.add(QFileInfo(projectPath(i)));
    history.add(QFileInfo(projectPath(7)));

    QStringList expected{projectPath(7)};
    for (int i = 12; i >= 3; --i)
        if (i != 7)
            expected.append(projectPath(i));
    EXPECT_EQ(history.files(), expected);
    EXPECT_EQ(history.files().size(), FileHistory::MaximumCount);
}

TEST_F(FileHistoryTest, storesAbsolutePathsThatANewSessionReadsBack)
{
    {
        FileHistory history;
        history.add(QFileInfo(QStringLiteral("relative/lesson.tkp2")));
        history.add(QFileInfo(projectPath(1)));
    }
    const QString absolute = QDir::current().absoluteFilePath(QStringLiteral("relative/lesson.tkp2"));
    EXPECT_EQ(QSettings().value(QStringLiteral("recentProjects")).toStringList(),
              QStringList({projectPath(1), absolute}));

    FileHistory nextSession;
    EXPECT_EQ(nextSession.files(), QStringList({projectPath(1), absolute}));
}

TEST_F(FileHistoryTest, aHandEditedLongListIsCutOnReading)
{
    QStringList stored;
    for (int i = 0; i < 15; ++i)
        stored.append(projectPath(i));
    QSettings().setValue(QStringLiteral("recentProjects"), stored);

    FileHistory history;
    EXPECT_EQ(history.files(), stored.mid(0, FileHistory::MaximumCount));
}

TEST_F(FileHistoryTest, menuOffersNumberedEntriesAndFollowsTheList)
{
    FileHistory history;
    QMenu* menu = history.menu();
    EXPECT_EQ(menu->title(), QStringLiteral("Recent Projects"));
    ASSERT_EQ(entries(menu).size(), 1);
    EXPECT_EQ(entries(menu).first()->text(), QStringLiteral("(empty)"));
    EXPECT_FALSE(entries(menu).first()->isEnabled());

    history.add(QFileInfo(QStringLiteral("/projects/Tom & Jerry.tkpx")));
    for (int i = 1; i <= 10; ++i)
        history.add(QFileInfo(projectPath(i)));

    const QList<QAction*> shown = entries(menu);
    ASSERT_EQ(shown.size(), 10);
    EXPECT_EQ(shown.at(0)->text(), QStringLiteral("&1 robot10.tkpx"));
    EXPECT_EQ(shown.at(0)->toolTip(), projectPath(10));
    EXPECT_EQ(shown.at(8)->text(), QStringLiteral("&9 robot2.tkpx"));
    EXPECT_EQ(shown.at(9)->text(), QStringLiteral("1&0 robot1.tkpx"));

    history.add(QFileInfo(QStringLiteral("/projects/Tom & Jerry.tkpx")));
    EXPECT_EQ(entries(menu).at(0)->text(), QStringLiteral("&1 Tom && Jerry.tkpx"));

    QSignalSpy triggered(&history, &FileHistory::triggered);
    entries(menu).at(1)->trigger();
    ASSERT_EQ(triggered.size(), 1);
    EXPECT_EQ(triggered.first().first().toString(), projectPath(10));
}
