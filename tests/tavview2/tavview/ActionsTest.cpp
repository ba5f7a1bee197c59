#include <tavview/Actions.h>
#include <QAction>
#include <QActionGroup>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Actions, UploadActionStaysCheckedWhenTriggeredUntilCodeUnchecksIt)
{
    tavview::Actions& actions = tavview::Actions::singleton();
    EXPECT_EQ(&actions, &tavview::Actions::singleton());
    QAction* upload = actions.uploadCurProj;

    ASSERT_TRUE(upload->isCheckable());
    ASSERT_NE(upload->actionGroup(), nullptr);
    EXPECT_TRUE(upload->actionGroup()->isExclusive());
    EXPECT_EQ(upload->text(), QStringLiteral("Upload project"));
    EXPECT_EQ(upload->toolTip(), QStringLiteral("Upload current project to Tavik"));
    EXPECT_EQ(upload->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              QImage(QStringLiteral(":/images/application_go.png"))
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied));

    upload->trigger();
    EXPECT_TRUE(upload->isChecked());
    upload->trigger();
    EXPECT_TRUE(upload->isChecked());
    upload->setChecked(false);
    EXPECT_FALSE(upload->isChecked());
}

TEST(Actions, ToolbarActionTogglesFreely)
{
    QAction* toolbar = tavview::Actions::singleton().showToolbar;
    EXPECT_EQ(toolbar->text(), QStringLiteral("Toolbar"));
    EXPECT_TRUE(toolbar->icon().isNull());
    EXPECT_TRUE(toolbar->shortcut().isEmpty());

    const bool before = toolbar->isChecked();
    toolbar->trigger();
    EXPECT_NE(toolbar->isChecked(), before);
    toolbar->trigger();
    EXPECT_EQ(toolbar->isChecked(), before);
}

} // namespace
