#include <tavview/LogList.h>
#include <QImage>
#include <QMetaObject>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

using tavview::LogEntry;
using tavview::LogList;

namespace {

QImage iconImage(const QListWidgetItem* item)
{
    return item->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage resourceImage(const char* name)
{
    return QImage(QStringLiteral(":/images/") + QLatin1String(name))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void tick(LogList& list)
{
    QMetaObject::invokeMethod(&list, "on_runningTimer_timeout");
}

QTimer* runningTimer(LogList& list)
{
    return list.findChild<QTimer*>();
}

TEST(LogList, StartsEmptyAndIgnoresAppendsUntilTheFirstEntry)
{
    LogList list(nullptr);
    list.append(QStringLiteral("."));
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(list.currentText().isNull());
    EXPECT_EQ(list.sizeHint(), QSize(300, 150));
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_TRUE(list.wordWrap());

    // The running indicator may be started before any entry exists.
    list.startRunningTimer();
    tick(list);
    EXPECT_EQ(list.count(), 0);
}

TEST(LogList, ShowsNewestFirstWithTheIconOfEachKind)
{
    LogList list(nullptr);
    list.addLogEntry(LogEntry(LogEntry::Fine, QStringLiteral("Connected")));
    list.addLogEntry(LogEntry(LogEntry::Info, QStringLiteral("Uploading")));
    list.addLogEntry(LogEntry(LogEntry::Warning, QStringLiteral("Slow link")));
    list.addLogEntry(LogEntry(LogEntry::Error, QStringLiteral("Upload failed")));
    list.addLogEntry(LogEntry(LogEntry::Running, QStringLiteral("Running")));

    ASSERT_EQ(list.count(), 5);
    const QStringList texts{"Running", "Upload failed", "Slow link", "Uploading", "Connected"};
    const char* icons[] = {"cog0.png", "cancel.png", "warning.png", "info.png", "accept.png"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list.item(row)->text(), texts[row]);
        EXPECT_EQ(iconImage(list.item(row)), resourceImage(icons[row])) << icons[row];
    }
    EXPECT_EQ(list.currentText(), QStringLiteral("Running"));
}

TEST(LogList, AppendedProgressCollapsesItsDotsAtOneHundredCharacters)
{
    LogList list(nullptr);
    list.addLogEntry(LogEntry(LogEntry::Info, QStringLiteral("Connecting")));
    for (int i = 0; i < 90; ++i)
        list.append(QStringLiteral("."));
    EXPECT_EQ(list.currentText(), QStringLiteral("Connecting") + QString(90, '.'));

    // 100 characters: the runs of four dots go and the new dot is not added.
    list.append(QStringLiteral("."));
    EXPECT_EQ(list.currentText(), QStringLiteral("Connecting.."));

    list.append(QStringLiteral(" done"));
    EXPECT_EQ(list.currentText(), QStringLiteral("Connecting.. done"));
    EXPECT_EQ(list.count(), 1);

    // Only the newest entry grows.
    list.addLogEntry(LogEntry(LogEntry::Fine, QStringLiteral("Uploaded")));
    list.append(QStringLiteral("!"));
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Uploaded!"));
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("Connecting.. done"));
}

TEST(LogList, RunningEntryTurnsItsCogUntilAnotherEntryArrives)
{
    LogList list(nullptr);
    list.addLogEntry(LogEntry(LogEntry::Info, QStringLiteral("Logged in")));
    EXPECT_FALSE(runningTimer(list)->isActive());

    list.addLogEntry(LogEntry(LogEntry::Running, QStringLiteral("Interpreter running")));
    EXPECT_TRUE(runningTimer(list)->isActive());
    EXPECT_EQ(runningTimer(list)->interval(), 500);
    tick(list);
    EXPECT_EQ(iconImage(list.item(0)), resourceImage("cog1.png"));
    tick(list);
    EXPECT_EQ(iconImage(list.item(0)), resourceImage("cog0.png"));
    tick(list);

    list.addLogEntry(LogEntry(LogEntry::Error, QStringLiteral("Connection lost")));
    EXPECT_FALSE(runningTimer(list)->isActive());
    EXPECT_EQ(iconImage(list.item(0)), resourceImage("cancel.png"));
    // The stopped entry keeps the cog it showed last.
    EXPECT_EQ(iconImage(list.item(1)), resourceImage("cog1.png"));
    EXPECT_EQ(iconImage(list.item(2)), resourceImage("info.png"));

    // A new running entry starts again from the first cog.
    list.addLogEntry(LogEntry(LogEntry::Running, QStringLiteral("Again")));
    tick(list);
    EXPECT_EQ(iconImage(list.item(0)), resourceImage("cog1.png"));
}

TEST(LogList, ScrollsBackToTheNewestEntry)
{
    LogList list(nullptr);
    list.resize(300, 150);
    list.show();
    for (int i = 0; i < 40; ++i)
        list.addLogEntry(LogEntry(LogEntry::Info, QStringLiteral("Message %1").arg(i)));
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    ASSERT_FALSE(list.viewport()->rect().intersects(list.visualItemRect(list.item(0))));

    list.addLogEntry(LogEntry(LogEntry::Warning, QStringLiteral("Newest")));
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Newest"));
    EXPECT_TRUE(list.viewport()->rect().contains(list.visualItemRect(list.item(0))));
    EXPECT_EQ(list.count(), 41);
}

} // namespace
