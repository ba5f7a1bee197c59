#include <tavview/uploader/Debug.h>
#include <QTableWidget>
#include <gtest/gtest.h>

using tavview::uploader::Debug;

namespace {

QList<QStringList> rows(const QTableWidget* table)
{
    QList<QStringList> result;
    for (int row = 0; row < table->rowCount(); ++row)
        result.append({table->item(row, 0)->text(), table->item(row, 1)->text()});
    return result;
}

} // namespace

TEST(DebugTable, oneRowPerNameInOrderOfFirstArrivalUpdatedInPlace)
{
    Debug debug;
    auto* table = debug.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("Value"));

    debug.setValue(QStringLiteral("speed"), QStringLiteral("1"));
    debug.setValue(QStringLiteral("mode"), QStringLiteral("auto"));
    QTableWidgetItem* speedValue = table->item(0, 1);
    debug.setValue(QStringLiteral("speed"), QStringLiteral("2"));
    EXPECT_EQ(rows(table), (QList<QStringList>{{"speed", "2"}, {"mode", "auto"}}));
    EXPECT_EQ(table->item(0, 1), speedValue) << "the row was replaced, not updated";
    EXPECT_FALSE(table->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(table->item(0, 0)->flags() & Qt::ItemIsEditable);

    debug.setValue(QString(), QString());
    EXPECT_EQ(rows(table).last(), (QStringList{"", ""}));

    debug.init();
    EXPECT_EQ(table->rowCount(), 0);
    debug.setValue(QStringLiteral("mode"), QStringLiteral("manual"));
    debug.setValue(QStringLiteral("speed"), QStringLiteral("3"));
    debug.setValue(QStringLiteral("mode"), QStringLiteral("auto"));
    EXPECT_EQ(rows(table), (QList<QStringList>{{"mode", "auto"}, {"speed", "3"}}));
}
