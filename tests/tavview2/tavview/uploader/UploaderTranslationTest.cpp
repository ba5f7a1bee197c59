#include "PyFtpServer.h"

#include <lum/qt/translation/Manager.h>
#include <tavview/uploader/Debug.h>
#include <tavview/uploader/FtpView.h>
#include <tavview/uploader/RobotFtp.h>
#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
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

// Sizes and dates in the folder view are written as the user's language writes them, also in
// a folder listed before the language changed.
TEST(UploaderTranslation, folderViewWritesSizesAndDatesInTheUsersLanguage)
{
    PyFtpServer server(QStringLiteral("tavik"), QStringLiteral("qorvemba"));
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    QFile program(server.robotHome() + QStringLiteral("/lab.tkp2"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    ASSERT_EQ(program.write(QByteArray(2500, 'x')), 2500);
    program.close();
    ASSERT_TRUE(program.open(QIODevice::Append));
    ASSERT_TRUE(
        program.setFileTime(QDateTime(QDate(2026, 3, 5), QTime(14, 7)), QFileDevice::FileModificationTime));
    program.close();

    tavview::uploader::FtpView view;
    QSignalSpy listed(&view, &tavview::uploader::FtpView::listed);
    view.list(tavview::uploader::robotFtpUrl(server.address(), QStringLiteral("/home/tavik/")));
    ASSERT_TRUE(listed.wait(30000));
    auto* tree = view.findChild<QTreeWidget*>();
    const QTreeWidgetItem* item = tree->findItems(QStringLiteral("lab.tkp2"), Qt::MatchExactly).value(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(1), QStringLiteral("2.44 KiB"));

    auto& manager = lum::qt::translation::Manager::singleton();
    const QString catalogues = manager.catalogueDirectory();
    manager.setCatalogueDirectory(QStringLiteral(TAVVIEW_BUILD_DIR "/translations"));
    manager.addCatalogue(QStringLiteral("tavview"));
    ASSERT_TRUE(manager.setLanguage(QStringLiteral("de")));
    EXPECT_EQ(tree->headerItem()->text(1), QStringLiteral("Größe"));
    EXPECT_EQ(item->text(1), QStringLiteral("2,44 KiB"));
    EXPECT_EQ(item->text(2), QStringLiteral("05.03.26 14:07"));

    manager.setLanguage(QStringLiteral("en"));
    manager.setCatalogueDirectory(catalogues);
    EXPECT_EQ(item->text(1), QStringLiteral("2.44 KiB"));
}
