#include <tavview/uploader/Options.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTranslator>
#include <gtest/gtest.h>

using tavview::uploader::Options;

namespace {

class UploadOptions : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { QSettings().clear(); }

    static QSpinBox* interval(const Options& page) { return page.findChild<QSpinBox*>("debugInterval"); }
    static QCheckBox* ignore(const Options& page)
    {
        return page.findChild<QCheckBox*>("ignoreInterpreterOutOfDate");
    }
};

} // namespace

TEST_F(UploadOptions, OpeningShowsTheDefaultsAndStoresNothing)
{
    Options page;
    EXPECT_EQ(page.title(), QStringLiteral("Upload & Execute"));
    ASSERT_NE(interval(page), nullptr);
    ASSERT_NE(ignore(page), nullptr);
    EXPECT_EQ(interval(page)->value(), 500);
    EXPECT_EQ(interval(page)->minimum(), 0);
    EXPECT_EQ(interval(page)->maximum(), 60000);
    EXPECT_EQ(interval(page)->text(), QStringLiteral("500ms"));
    EXPECT_FALSE(ignore(page)->isChecked());
    EXPECT_FALSE(QSettings().contains(Options::debugIntervalKey));
    EXPECT_FALSE(QSettings().contains(Options::ignoreInterpreterOutOfDateKey));
    EXPECT_EQ(Options::debugInterval(), 500);
    EXPECT_FALSE(Options::ignoreInterpreterOutOfDate());

    // The labels name their controls, for the keyboard and for screen readers.
    QStringList labels;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        labels << label->text();
        EXPECT_TRUE(label->buddy() == interval(page) || label->buddy() == ignore(page));
    }
    EXPECT_EQ(labels, QStringList({"Debug interval", "Ignore interpreter out of date"}));
    EXPECT_FALSE(interval(page)->accessibleName().isEmpty());
    EXPECT_FALSE(ignore(page)->accessibleName().isEmpty());
}

TEST_F(UploadOptions, EveryChangeIsStoredAtOnceAndReadBackByTheNextPage)
{
    {
        Options page;
        interval(page)->stepUp();
        EXPECT_EQ(QSettings().value(Options::debugIntervalKey).toInt(), 550);
        interval(page)->setValue(0);
        EXPECT_EQ(interval(page)->text(), QStringLiteral("off"));
        EXPECT_EQ(QSettings().value(Options::debugIntervalKey).toInt(), 0);
        EXPECT_EQ(Options::debugInterval(), 0);

        ignore(page)->setChecked(true);
        EXPECT_EQ(QSettings().value(Options::ignoreInterpreterOutOfDateKey).toInt(), 2);
        EXPECT_TRUE(Options::ignoreInterpreterOutOfDate());
    }
    // Through the store's file, as the next start of the workbench reads it.
    QSettings().sync();
    Options reopened;
    EXPECT_EQ(interval(reopened)->value(), 0);
    EXPECT_EQ(interval(reopened)->text(), QStringLiteral("off"));
    EXPECT_TRUE(ignore(reopened)->isChecked());
    ignore(reopened)->setChecked(false);
    EXPECT_EQ(QSettings().value(Options::ignoreInterpreterOutOfDateKey).toInt(), 0);
    EXPECT_FALSE(Options::ignoreInterpreterOutOfDate());
}

// What a hand-edited store holds never reaches the robot's command line out of range.
TEST_F(UploadOptions, AStoredIntervalOutOfRangeOrNotANumberIsKeptInRange)
{
    const QList<QPair<QVariant, int>> cases{
        {QStringLiteral("fast"), 500}, {-20, 0}, {999999, 60000}, {QStringLiteral("1250"), 1250}};
    for (const auto& [stored, read] : cases) {
        QSettings().setValue(Options::debugIntervalKey, stored);
        EXPECT_EQ(Options::debugInterval(), read) << stored.toString().toStdString();
        Options page;
        EXPECT_EQ(interval(page)->value(), read) << stored.toString().toStdString();
    }
    // Any non-zero check state, or the word true, means ignore.
    for (const QVariant& stored :
         {QVariant(1), QVariant(QStringLiteral("2")), QVariant(QStringLiteral("true"))}) {
        QSettings().setValue(Options::ignoreInterpreterOutOfDateKey, stored);
        EXPECT_TRUE(Options::ignoreInterpreterOutOfDate()) << stored.toString().toStdString();
    }
    QSettings().setValue(Options::ignoreInterpreterOutOfDateKey, QStringLiteral("0"));
    EXPECT_FALSE(Options::ignoreInterpreterOutOfDate());
}

TEST_F(UploadOptions, GermanTextsFollowALanguageChange)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
    Options page;
    interval(page)->setValue(0);
    QCoreApplication::installTranslator(&german);
    QMetaObject::invokeMethod(&page, "translate");
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(page.title(), QStringLiteral("Hochladen & Ausführen"));
    EXPECT_EQ(interval(page)->text(), QStringLiteral("aus"));
    EXPECT_EQ(page.findChild<QLabel*>()->text(), QStringLiteral("Debug-Intervall"));
    EXPECT_EQ(ignore(page)->accessibleName(), QStringLiteral("Veralteten Interpreter ignorieren"));
}
