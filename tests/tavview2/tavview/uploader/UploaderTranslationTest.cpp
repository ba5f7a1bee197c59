#include <tavview/uploader/Debug.h>
#include <tavview/uploader/FtpView.h>
#include <QCoreApplication>
#include <QTableWidget>
#include <QTranslator>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The German catalogue reaches the widgets: its contexts are the classes' full names.
TEST(UploaderTranslation, germanCatalogueTranslatesTheFolderViewAndTheVariableTable)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
    tavview::uploader::FtpView view;
    tavview::uploader::Debug debug;
    QCoreApplication::installTranslator(&german);
    view.translate();
    debug.translate();
    QCoreApplication::removeTranslator(&german);

    const QTreeWidgetItem* header = view.findChild<QTreeWidget*>()->headerItem();
    EXPECT_EQ(header->text(1), QStringLiteral("Größe"));
    EXPECT_EQ(header->text(2), QStringLiteral("Geändert"));
    EXPECT_EQ(view.findChild<QTreeWidget*>()->accessibleName(), QStringLiteral("Ordner auf dem Roboter"));
    EXPECT_EQ(debug.findChild<QTableWidget*>()->horizontalHeaderItem(1)->text(), QStringLiteral("Wert"));
}
