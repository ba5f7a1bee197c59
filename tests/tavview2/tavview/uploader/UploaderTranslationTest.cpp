#include <lum/qt/translation/Manager.h>
#include <tavview/uploader/Debug.h>
#include <tavview/uploader/FtpView.h>
#include <QCoreApplication>
#include <QTableWidget>
#include <QTranslator>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The German catalogue reaches the widgets when the language changes: its contexts are the
// classes' full names.
TEST(UploaderTranslation, germanCatalogueTranslatesTheFolderViewAndTheVariableTable)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
    tavview::uploader::FtpView view;
    tavview::uploader::Debug debug;
    QCoreApplication::installTranslator(&german);
    emit lum::qt::translation::Manager::singleton().languageChanged();
    QCoreApplication::removeTranslator(&german);

    const QTreeWidgetItem* header = view.findChild<QTreeWidget*>()->headerItem();
    EXPECT_EQ(header->text(1), QStringLiteral("Größe"));
    EXPECT_EQ(header->text(2), QStringLiteral("Geändert"));
    EXPECT_EQ(view.findChild<QTreeWidget*>()->accessibleName(), QStringLiteral("Ordner auf dem Roboter"));
    EXPECT_EQ(debug.findChild<QTableWidget*>()->horizontalHeaderItem(1)->text(), QStringLiteral("Wert"));

    emit lum::qt::translation::Manager::singleton().languageChanged();
    EXPECT_EQ(header->text(1), QStringLiteral("Size")) << "back in English";
}
