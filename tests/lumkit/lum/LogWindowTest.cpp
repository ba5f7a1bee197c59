#include <kiroutil/log/Log.h>
#include <lum/qt/log/Log.h>
#include <lum/qt/log/View.h>
#include <lum/qt/log/Window.h>
#include <lumlink/RuntimeLogReceiver.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTextBlock>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using lum::qt::log::Log;
using lum::qt::log::View;
using lum::qt::log::Window;

namespace {

QStringList lines(const View* view)
{
    QStringList result;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next())
        result.append(block.text());
    if (result == QStringList(QString()))
        return {};
    return result;
}

// What follows the "hh:mm:ss.zzz " time stamp of a logged line.
QString message(const QString& line)
{
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (.*)$"));
    const QRegularExpressionMatch match = stamp.match(line);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("<no time stamp: %1>").arg(line);
}

// Each case starts without lines left over from an earlier one.
class LogWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::processEvents();
        Log::singleton().clearBacklog();
    }
};

} // namespace

TEST(LogView, keepsOnlyTheNewestLines)
{
    View view;
    const int extra = 25;
    for (int i = 0; i < View::MaximumLineCount + extra; ++i)
        view.appendLine(QStringLiteral("line %1").arg(i));

    const QStringList kept = lines(&view);
    ASSERT_EQ(view.lineCount(), View::MaximumLineCount);
    ASSERT_EQ(kept.size(), View::MaximumLineCount);
    EXPECT_EQ(kept.first(), QStringLiteral("line %1").arg(extra));
    EXPECT_EQ(kept.last(), QStringLiteral("line %1").arg(View::MaximumLineCount + extra - 1));
}

TEST(LogView, copiesSelectsAndClearsButNeverEdits)
{
    View view;
    view.appendLine(QStringLiteral("first"));
    view.appendLine(QStringLiteral("second"));
    EXPECT_TRUE(view.isReadOnly());
    EXPECT_FALSE(view.copyAction()->isEnabled());

    view.selectAllAction()->trigger();
    EXPECT_TRUE(view.copyAction()->isEnabled());
    view.copyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("first\nsecond"));

    view.clearAction()->trigger();
    EXPECT_EQ(view.lineCount(), 0);
    EXPECT_FALSE(view.copyAction()->isEnabled());
}

TEST_F(LogWindowTest, showsMessagesLoggedOnOtherThreadsInOrder)
{
    QAction action(QStringLiteral("Messages"), nullptr);
    Window window(&action);

    Log::log(QStringLiteral("from the GUI thread"));
    QThread* worker = QThread::create([] {
        for (int i = 0; i < 200; ++i)
            Log::log(QStringLiteral("worker %1").arg(i));
        Log::log(Log::Warning, QStringLiteral("device lost"));
        Log::log(Log::Debug, QStringLiteral("only for developers"));
        Log::log(Log::Note, QStringLiteral("device found"));
    });
    worker->start();
    ASSERT_TRUE(worker->wait(60000));
    delete worker;
    // Everything was posted before the worker finished; this delivers it.
    QCoreApplication::processEvents();

    const QStringList shown = lines(window.view());
    ASSERT_EQ(shown.size(), 203);
    EXPECT_EQ(message(shown.at(0)), QStringLiteral("from the GUI thread"));
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(message(shown.at(i + 1)), QStringLiteral("worker %1").arg(i));
    EXPECT_EQ(message(shown.at(201)), QStringLiteral("[Warning] device lost"));
    EXPECT_EQ(message(shown.at(202)), QStringLiteral("[Note] device found"));
}

TEST_F(LogWindowTest, visibilityFollowsTheActionAndBack)
{
    QMainWindow main;
    QAction action(QStringLiteral("Messages"), nullptr);
    action.setCheckable(true);
    action.setChecked(true);
    auto* window = new Window(&action, &main);
    main.addDockWidget(Qt::BottomDockWidgetArea, window);
    main.show();
    EXPECT_TRUE(window->isVisible());

    action.setChecked(false);
    EXPECT_FALSE(window->isVisible());
    action.trigger();
    EXPECT_TRUE(action.isChecked());
    EXPECT_TRUE(window->isVisible());

    // The dock's own close button unchecks the action.
    window->close();
    EXPECT_FALSE(action.isChecked());

    // Hiding the whole main window (minimised, for instance) is not closing the messages.
    action.setChecked(true);
    main.hide();
    EXPECT_TRUE(action.isChecked());
}

TEST_F(LogWindowTest, startsHiddenWhenTheActionIsUnchecked)
{
    QMainWindow main;
    QAction action(QStringLiteral("Messages"), nullptr);
    action.setCheckable(true);
    auto* window = new Window(&action, &main);
    main.addDockWidget(Qt::BottomDockWidgetArea, window);
    main.show();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(action.isChecked());
}

TEST_F(LogWindowTest, showsTheRuntimeKitsLogFromNoteUpWithTheLevel)
{
    QAction action(QStringLiteral("Messages"), nullptr);
    Window window(&action);
    {
        lumlink::RuntimeLogReceiver receiver;
        std::thread device([] {
            kiroutil::Log::singleton().debug("polling");
            kiroutil::Log::singleton().verbose("read 4 bytes");
            kiroutil::Log::singleton().note("connected to 127.0.0.1");
            kiroutil::Log::singleton().severe("drive system failed");
        });
        device.join();
    }
    kiroutil::Log::singleton().error("after the window stopped listening");
    QCoreApplication::processEvents();

    const QStringList shown = lines(window.view());
    ASSERT_EQ(shown.size(), 2) << shown.join('\n').toStdString();
    EXPECT_EQ(message(shown.at(0)), QStringLiteral("[Note] connected to 127.0.0.1"));
    EXPECT_EQ(message(shown.at(1)), QStringLiteral("[Severe] drive system failed"));
}

TEST_F(LogWindowTest, aWindowMadeLaterShowsTheMessagesOfTheStartUp)
{
    Log::log(QStringLiteral("Could not read tavview2.ini"));
    for (int i = 0; i < Log::MaximumBacklog; ++i)
        Log::log(QStringLiteral("loading %1").arg(i));
    QCoreApplication::processEvents();

    QAction action(QStringLiteral("Messages"), nullptr);
    auto window = std::make_unique<Window>(&action);
    const QStringList shown = lines(window->view());
    ASSERT_EQ(shown.size(), Log::MaximumBacklog);
    EXPECT_EQ(message(shown.first()), QStringLiteral("loading 0"));
    EXPECT_EQ(message(shown.last()), QStringLiteral("loading %1").arg(Log::MaximumBacklog - 1));

    // What the user cleared stays cleared in the next window.
    window->view()->clearAction()->trigger();
    Log::log(QStringLiteral("after clearing"));
    QCoreApplication::processEvents();
    window = std::make_unique<Window>(&action);
    EXPECT_EQ(lines(window->view()).size(), 1);
}
