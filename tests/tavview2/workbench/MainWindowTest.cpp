#include "tavview/MainWindow.h"

#include "tavview/Actions.h"
#include "tavview/ProgramList.h"
#include "tavview/TaskView.h"
#include "tavview/toolbar/Bar.h"
#include "tavview/toolbar/Brennic.h"

#include <kiroutil/log/Log.h>
#include <lum/qt/gui/widgets/HyperLabel.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <thread>

using lumlink::project::Manager;

namespace {

const QString counterExample = QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2");

// Calls handle with every message box that comes up until it returns true; armed before the
// action that opens the box, as the box's own event loop runs the timer.
void whenBoxShows(QObject* context, std::function<bool(QMessageBox*)> handle)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible() && handle(box))
            timer->deleteLater();
    });
    timer->start(20);
}

class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().clear();
        window = std::make_unique<tavview::MainWindow>();
    }

    void TearDown() override
    {
        window.reset();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<tavview::MainWindow> window;
};

} // namespace

TEST_F(MainWindowTest, StartsWithAFreshRobotProjectAtTheDefaultPlace)
{
    EXPECT_EQ(window->size(), QSize(400, 400));
    EXPECT_EQ(window->pos(), QPoint(200, 200));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Unnamed[*] - TAVIK \u00AE View 3.3.1"));
    EXPECT_FALSE(window->isWindowModified());

    lumlink::project::Project* project = Manager::singleton().activeProject();
    ASSERT_NE(project, nullptr);
    ASSERT_EQ(project->devices().size(), 1);
    EXPECT_TRUE(project->devices().first()->isRobot());
    EXPECT_FALSE(project->isModified());
    EXPECT_FALSE(lumlink::Actions::singleton().saveAction->isEnabled());
    EXPECT_TRUE(lumlink::Actions::singleton().saveAsAction->isEnabled());

    // The robot's own widget replaces the stand-in on the toolbar.
    ASSERT_NE(window->toolBar()->tavikWidgetAction(), nullptr);
    EXPECT_FALSE(window->toolBar()->dummyWidgetAction()->isVisible());
    EXPECT_EQ(window->toolBar()->startAllAction(), project->startAllAction());

    project->setLayoutModified(true);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(lumlink::Actions::singleton().saveAction->isEnabled());
    project->setLayoutModified(false);
}

TEST_F(MainWindowTest, OpeningShowsTheProjectAndAMissingFileKeepsIt)
{
    window->open(counterExample);
    lumlink::project::Project* opened = Manager::singleton().activeProject();
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("counter[*] - TAVIK \u00AE View 3.3.1"));
    auto* list = qobject_cast<tavview::ProgramList*>(window->taskView()->programView());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->list()->count(), 2);
    EXPECT_EQ(list->list()->item(0)->text(), "Sequence chart: Main");
    EXPECT_EQ(QSettings().value("loadDirectory").toString(), QFileInfo(counterExample).absolutePath());

    QString boxText;
    whenBoxShows(window.get(), [&](QMessageBox* box) {
        boxText = box->text();
        box->accept();
        return true;
    });
    window->open("/nowhere/gone.tkp2");
    EXPECT_TRUE(boxText.startsWith("The file /nowhere/gone.tkp2 could not be found."))
        << boxText.toStdString();
    EXPECT_EQ(Manager::singleton().activeProject(), opened);
    EXPECT_EQ(window->taskView()->programView(), list);
}

TEST_F(MainWindowTest, SaveAsNamesWithoutAKnownExtensionAreSavedCompressed)
{
    using tavview::MainWindow;
    EXPECT_EQ(MainWindow::projectFileName("/p/robot"), "/p/robot.tkpx");
    EXPECT_EQ(MainWindow::projectFileName("/p/robot.tkp2"), "/p/robot.tkp2");
    EXPECT_EQ(MainWindow::projectFileName("/p/robot.tkpx"), "/p/robot.tkpx");
    EXPECT_EQ(MainWindow::projectFileName("/p/robot.TKP2"), "/p/robot.TKP2.tkpx");
    EXPECT_TRUE(window->projectSaveFilter().startsWith(
        QString::fromUtf8("Compressed Tavik \u00AE View Projects (*.tkpx);;")));
    EXPECT_EQ(window->projectLoadFilter(), QString::fromUtf8("Tavik \u00AE View Projects (*.tkpx *.tkp2)"));
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow)
{
    window->show();
    Manager::singleton().activeProject()->setLayoutModified(true);
    int asked = 0;
    whenBoxShows(window.get(), [&](QMessageBox* box) {
        ++asked;
        box->button(QMessageBox::Cancel)->click();
        return true;
    });
    EXPECT_FALSE(window->close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window->isVisible());

    whenBoxShows(window.get(), [&](QMessageBox* box) {
        box->button(QMessageBox::Discard)->click();
        return true;
    });
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    QSettings settings;
    EXPECT_EQ(settings.value("MainWindow/size").toSize(), window->size());
    EXPECT_FALSE(settings.value("MainWindow/state").toByteArray().isEmpty());
    Manager::singleton().activeProject()->setLayoutModified(false);
}

TEST_F(MainWindowTest, LoggedErrorsShowOneBoxAtATimeAndWarningsNone)
{
    // Errors from a worker thread while no box is open yet: the first opens the box, the
    // others arrive while it is open and are only counted on it.
    std::thread worker([] {
        kiroutil::Log::singleton().warning("just a warning");
        for (int i = 0; i < 5; ++i)
            kiroutil::Log::singleton().error("engine failed " + std::to_string(i));
    });
    worker.join();

    int boxesOpen = 0;
    QString text;
    QString more;
    whenBoxShows(window.get(), [&](QMessageBox* box) {
        // Once the other four errors have been delivered through the box's event loop.
        if (!box->informativeText().contains('4'))
            return false;
        for (QWidget* widget : QApplication::topLevelWidgets())
            boxesOpen += qobject_cast<QMessageBox*>(widget) && widget->isVisible() ? 1 : 0;
        text = box->text();
        more = box->informativeText();
        box->accept();
        return true;
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(boxesOpen, 1);
    EXPECT_EQ(text, "engine failed 0");
    EXPECT_EQ(more, "4 more error(s) since then, listed in the message window.");

    // A window that is gone takes no more messages.
    window.reset();
    kiroutil::Log::singleton().error("after the window");
    QCoreApplication::processEvents();
    window = std::make_unique<tavview::MainWindow>();
}

TEST_F(MainWindowTest, TheBrandFollowsTheFormingSetting)
{
    auto* brand = window->toolBar()->findChild<tavview::toolbar::Brennic*>();
    ASSERT_NE(brand, nullptr);
    EXPECT_FALSE(brand->label()->pixmap(Qt::ReturnByValue).isNull());
    const QUrl tavikLink = brand->label()->link();

    QSettings().setValue("forming", "Classroom");
    window = std::make_unique<tavview::MainWindow>();
    EXPECT_EQ(window->applicationName(), QString::fromUtf8("LUMlink \u00AE 3.3.1"));
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf8(" - LUMlink \u00AE 3.3.1")));
    const QUrl otherLink = window->toolBar()->findChild<tavview::toolbar::Brennic*>()->label()->link();
    EXPECT_TRUE(otherLink.isValid());
    EXPECT_NE(otherLink, tavikLink);
    QSettings().remove("forming");
}

TEST_F(MainWindowTest, MenusFollowTheActiveProject)
{
    const QList<QAction*> entries = window->menuWidget()->findChild<QMenuBar*>()
                                        ? window->menuWidget()->findChild<QMenuBar*>()->actions()
                                        : qobject_cast<QMenuBar*>(window->menuWidget())->actions();
    QStringList titles;
    for (QAction* entry : entries)
        titles << entry->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Simulation", "&View", "&Extras", "&Window", "&Help"}));

    lumlink::project::Project* project = Manager::singleton().activeProject();
    QMenu* edit = entries[1]->menu();
    ASSERT_GE(edit->actions().size(), 2);
    EXPECT_EQ(edit->actions()[0], project->undoAction());
    EXPECT_EQ(edit->actions()[1], project->redoAction());

    QMenu* simulation = entries[2]->menu();
    emit simulation->aboutToShow();
    EXPECT_EQ(simulation->actions(), QList<QAction*>({project->startAllAction(), project->startAction(),
                                                      project->suspendAction(), project->terminateAction()}));

    // A fresh project has no open dialogs: only the library's window command, disabled.
    QMenu* windows = entries[5]->menu();
    emit windows->aboutToShow();
    ASSERT_EQ(windows->actions().size(), 1);
    EXPECT_EQ(windows->actions()[0], lumlink::Actions::singleton().windowDialogsAction);
    EXPECT_FALSE(windows->actions()[0]->isEnabled());

    // Two open dialogs: numbered entries under "Dialogs"; choosing one brings it forward.
    project->globalVariablesWindow()->show();
    project->devicesWindow()->show();
    for (int opening = 0; opening < 2; ++opening)
        emit windows->aboutToShow();
    EXPECT_TRUE(windows->actions()[0]->isEnabled());
    ASSERT_EQ(windows->actions().size(), 3);
    QMenu* dialogs = windows->actions()[2]->menu();
    ASSERT_NE(dialogs, nullptr);
    EXPECT_EQ(windows->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    QStringList texts;
    for (QAction* entry : dialogs->actions())
        texts << entry->text();
    EXPECT_EQ(texts, QStringList({"1 " + project->globalVariablesWindow()->windowTitle(),
                                  "2 " + project->devicesWindow()->windowTitle()}));
    project->globalVariablesWindow()->hide();
    project->devicesWindow()->hide();
}

TEST_F(MainWindowTest, TheToolbarAndItsViewCommandStayInStep)
{
    window->show();
    QAction* showToolbar = tavview::Actions::singleton().showToolbar;
    EXPECT_TRUE(showToolbar->isChecked());
    window->toolBar()->hide();
    EXPECT_FALSE(showToolbar->isChecked());
    showToolbar->trigger();
    EXPECT_TRUE(window->toolBar()->isVisible());
    showToolbar->trigger();
    EXPECT_FALSE(window->toolBar()->isVisible());
    showToolbar->trigger();
}
