#include <lum/qt/gui/widgets/HyperLabel.h>
#include <lum/qt/gui/widgets/Progress.h>
#include <QDesktopServices>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using lum::qt::gui::widgets::HyperLabel;
using lum::qt::gui::widgets::Progress;

namespace {

// Stands in for the desktop's browser.
class Browser : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

TEST(HyperLabel, aClickOpensTheLinkInTheBrowser)
{
    Browser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    HyperLabel label;
    label.setText(QStringLiteral("Tavik"));
    label.resize(100, 30);
    label.show();

    // Without a link a click opens nothing and the cursor stays an arrow.
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_TRUE(browser.opened.isEmpty());
    EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);

    const QUrl link(QStringLiteral("https://example.org/tavik"));
    label.setLink(link);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_TRUE(browser.opened.isEmpty());
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(browser.opened, QList<QUrl>({link}));

    // Pressing on the label and releasing outside it is no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_EQ(browser.opened.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

TEST(Progress, cancelOnlyWhenCancellable)
{
    Progress cancellable(nullptr, true, QStringLiteral("Uploading"));
    QSignalSpy cancelled(&cancellable, &Progress::cancel);
    auto* bar = cancellable.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(cancellable.title(), QStringLiteral("Uploading"));
    cancellable.setTitle(QStringLiteral("Starting"));
    EXPECT_EQ(cancellable.title(), QStringLiteral("Starting"));

    auto* button = cancellable.findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(cancelled.size(), 1);

    Progress fixed(nullptr, false, QStringLiteral("Loading"));
    EXPECT_FALSE(fixed.isCancellable());
    EXPECT_EQ(fixed.findChild<QPushButton*>(), nullptr);
}

TEST(Icons, theKitsIconsAreCompiledIn)
{
    for (const char* name : {":/silk/disk.png", ":/silk/control_play_blue.png", ":/silk/help.png",
                             ":/lumlink_lib/icons/undo16.png", ":/lumlink_lib/icons/redo16.png"}) {
        const QPixmap icon(QString::fromLatin1(name));
        EXPECT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(icon.size(), QSize(16, 16)) << name;
    }
}

#include "WidgetsTest.moc"
