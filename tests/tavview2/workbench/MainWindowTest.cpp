#include "tavview/MainWindow.h"

#include "tavview/Actions.h"
#include "tavview/TaskView.h"
#include "tavview/menu/Bar.h"
#include "tavview/menu/Edit.h"
#include "tavview/menu/Window.h"
#include "tavview/toolbar/Bar.h"
#include "tavview/toolbar/Brennic.h"

#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kiroutil/log/Log.h>
#include <lum/qt/gui/widgets/HyperLabel.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/View.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/BlockPalette.h>
#include <lumlink/sdf/Magnifier.h>
#include <lumlink/sdf/PaletteTree.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sfc/SFCView.h>
#include <QAbstractButton>
#include <QApplication>
#include <QGraphicsItem>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>
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
    lumlink::project::View* view = window->programView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(window->taskView()->programView(), view);
    // The tabs the file names, the current one as saved; that is no change to the project.
    ASSERT_EQ(view->count(), 2);
    EXPECT_EQ(view->tabText(0), "Main");
    EXPECT_EQ(view->tabText(1), "count");
    EXPECT_EQ(view->currentIndex(), 0);
    EXPECT_FALSE(window->isWindowModified());
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
    EXPECT_EQ(window->taskView()->programView(), view);
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

TEST(WindowMenu, WithoutAProgramViewOffersOnlyTheDisabledDialogsEntry)
{
    // A project no window shows yet, with a dialog of its own open.
    lumlink::project::Project* project = Manager::singleton().createNewProject();
    ASSERT_EQ(project->view(), nullptr);
    project->devicesWindow()->show();
    tavview::menu::Window menu(nullptr);
    emit menu.aboutToShow();
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.actions()[0], lumlink::Actions::singleton().windowDialogsAction);
    EXPECT_FALSE(menu.actions()[0]->isEnabled());
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

TEST_F(MainWindowTest, TheToolbarShowsTheFirstRobotsWidgetUntilThatRobotIsRemoved)
{
    tavview::toolbar::Bar* toolbar = window->toolBar();
    lumlink::project::Project* project = Manager::singleton().activeProject();
    const auto robotType = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(
        lumlink::project::Device::RobotTypeId);
    const auto addRobot = [&](const std::string& name) {
        auto* device = lumlink::project::Device::create(
            robotType->createDeviceInstance(project->kirogenProject(), name), project);
        EXPECT_TRUE(project->addDevice(device));
        return device;
    };
    // The names the robot widget on the toolbar shows.
    const auto shownTexts = [&] {
        QStringList texts;
        if (QAction* action = toolbar->tavikWidgetAction())
            for (const QLabel* label : toolbar->widgetForAction(action)->findChildren<QLabel*>())
                texts << label->text();
        return texts.join(' ');
    };

    ASSERT_EQ(project->devices().size(), 1);
    lumlink::project::Device* first = project->devices().first();
    QAction* firstWidget = toolbar->tavikWidgetAction();
    ASSERT_NE(firstWidget, nullptr);

    lumlink::project::Device* second = addRobot("second");
    EXPECT_EQ(toolbar->tavikWidgetAction(), firstWidget);
    ASSERT_TRUE(project->removeDevice(second));
    EXPECT_EQ(toolbar->tavikWidgetAction(), firstWidget);

    // The project's other signals reach only the toolbar of the project it shows.
    emit Manager::singleton().projectDeviceRemoved(first, nullptr);
    EXPECT_EQ(toolbar->tavikWidgetAction(), firstWidget);

    addRobot("third");
    ASSERT_TRUE(project->removeDevice(first));
    ASSERT_NE(toolbar->tavikWidgetAction(), nullptr);
    EXPECT_TRUE(shownTexts().contains("third")) << shownTexts().toStdString();
    EXPECT_FALSE(toolbar->dummyWidgetAction()->isVisible());

    ASSERT_TRUE(project->removeDevice(project->devices().first()));
    EXPECT_EQ(toolbar->tavikWidgetAction(), nullptr);
    EXPECT_TRUE(toolbar->dummyWidgetAction()->isVisible());
    project->undoStack()->setClean();
}

namespace {

const QString patrolProject = QStringLiteral(LUMLINK_TEST_DATA "/patrol.tkp2");

QStringList tabTexts(const lumlink::project::View* view)
{
    QStringList texts;
    for (int i = 0; i < view->count(); ++i)
        texts << view->tabText(i);
    return texts;
}

} // namespace

TEST_F(MainWindowTest, NewProgramsUndoWithTheProjectAndTabsComeBackWhenItOpensAgain)
{
    window->show();
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    lumlink::project::Project* fresh = Manager::singleton().activeProject();
    EXPECT_EQ(window->programView()->count(), 0);
    actions.newSdfAction->trigger();
    EXPECT_EQ(tabTexts(window->programView()), QStringList{"Sequence1"});
    EXPECT_NE(qobject_cast<lumlink::sfc::SFCView*>(window->programView()->currentWidget()), nullptr);
    EXPECT_TRUE(window->isWindowModified());
    fresh->undoAction()->trigger();
    EXPECT_EQ(window->programView()->count(), 0);
    EXPECT_FALSE(window->isWindowModified());
    fresh->redoAction()->trigger();
    EXPECT_EQ(tabTexts(window->programView()), QStringList{"Sequence1"});
    EXPECT_TRUE(window->isWindowModified());
    fresh->undoAction()->trigger();

    QTemporaryDir dir;
    const QString copy = dir.filePath("patrol.tkp2");
    ASSERT_TRUE(QFile::copy(patrolProject, copy));
    window->open(copy);
    lumlink::project::View* view = window->programView();
    ASSERT_EQ(tabTexts(view), (QStringList{"Patrol", "drive"}));
    ASSERT_TRUE(view->on_raiseView("stop", true));
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(window->on_saveAction_triggered());
    EXPECT_FALSE(window->isWindowModified());

    window->open(copy);
    EXPECT_NE(window->programView(), view);
    EXPECT_EQ(tabTexts(window->programView()), (QStringList{"Patrol", "drive", "stop"}));
    EXPECT_EQ(window->programView()->currentIndex(), 2);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(MainWindowTest, ViewActionsAndTheBlockPaletteWorkOnTheCurrentDiagram)
{
    window->resize(1000, 700);
    window->show();
    window->open(patrolProject);
    lumlink::project::View* view = window->programView();
    view->setCurrentIndex(1);
    auto* diagram = qobject_cast<lumlink::sdf::SDFView*>(view->currentWidget());
    ASSERT_NE(diagram, nullptr);
    const lumlink::Actions& actions = lumlink::Actions::singleton();

    diagram->setTransform(QTransform());
    actions.zoomInAction->trigger();
    EXPECT_DOUBLE_EQ(diagram->zoom(), 1.25);
    actions.zoomOutAction->trigger();
    EXPECT_DOUBLE_EQ(diagram->zoom(), 1.0);
    diagram->setTransform(QTransform::fromScale(6, 6));
    actions.fitAction->trigger();
    EXPECT_LT(diagram->zoom(), 6);

    // The lens shows once the mouse moves over the diagram while the action is checked.
    auto* lens = diagram->findChild<lumlink::sdf::Magnifier*>();
    ASSERT_NE(lens, nullptr);
    actions.magnifierAction->setChecked(true);
    QTest::mouseMove(diagram->viewport(), diagram->viewport()->rect().center());
    EXPECT_TRUE(lens->isVisible());
    actions.magnifierAction->setChecked(false);
    EXPECT_FALSE(lens->isVisible());

    // A double-click in the palette places the type in the diagram shown, as one step.
    lumlink::sdf::BlockPalette* palette = window->blockPalette();
    EXPECT_FALSE(palette->isVisible());
    actions.toolbarLibraryAction->trigger();
    ASSERT_TRUE(palette->isVisible());
    palette->setFilterText("const");
    auto* tree = palette->findChild<lumlink::sdf::PaletteTree*>();
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItem* constant = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it && !constant; ++it) {
        if ((*it)->childCount() == 0 && !(*it)->isHidden() &&
            (*it)->data(0, lumlink::sdf::PaletteTree::TypeIdRole).toString() == "const")
            constant = *it;
    }
    ASSERT_NE(constant, nullptr);
    lumlink::project::Project* project = Manager::singleton().activeProject();
    const std::size_t blocks = project->kirogenProject()->diagram("drive")->blocks().size();
    tree->scrollToItem(constant);
    const QPoint at = tree->visualItemRect(constant).center();
    // A real double-click starts with a press: the tree only acts on the item it was pressed on.
    const auto doubleClick = [tree, at] {
        QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };
    doubleClick();
    EXPECT_EQ(project->kirogenProject()->diagram("drive")->blocks().size(), blocks + 1);
    EXPECT_EQ(project->undoStack()->count(), 1);

    // Over a sequence chart the status bar says why nothing happened.
    view->setCurrentIndex(0);
    doubleClick();
    EXPECT_EQ(project->undoStack()->count(), 1);
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
    project->undoStack()->undo();
}

TEST_F(MainWindowTest, EditActionsFollowTheCurrentEditorItsSelectionAndProtection)
{
    window->show();
    window->open(patrolProject);
    lumlink::project::View* view = window->programView();
    lumlink::project::Project* project = Manager::singleton().activeProject();
    tavview::menu::Edit* edit = static_cast<tavview::menu::Bar*>(window->menuWidget())->edit();
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    const auto enabled = [&] {
        return QList<bool>{actions.cutAction->isEnabled(), actions.copyGlobalAction->isEnabled(),
                           actions.pasteAction->isEnabled(), actions.deleteAction->isEnabled()};
    };
    using Flags = QList<bool>;

    view->setCurrentIndex(1);
    auto* diagram = qobject_cast<lumlink::sdf::SDFView*>(view->currentWidget());
    ASSERT_NE(diagram, nullptr);
    emit edit->aboutToShow();
    EXPECT_EQ(enabled(), (Flags{false, false, false, false}));
    diagram->diagramScene()->blockItem("motor")->setSelected(true);
    emit edit->aboutToShow();
    EXPECT_EQ(enabled(), (Flags{true, true, false, true}));
    project->setClipboard(project->saveToMem());
    emit edit->aboutToShow();
    EXPECT_EQ(enabled(), (Flags{true, true, true, true}));
    diagram->diagramScene()->clearSelection();
    emit edit->aboutToHide();
    EXPECT_EQ(enabled(), (Flags{true, true, true, true}));

    // A sequence chart: a selected step can be deleted, but there is no clipboard.
    view->setCurrentIndex(0);
    EXPECT_EQ(enabled(), (Flags{false, false, false, true}));
    auto* chart = qobject_cast<lumlink::sfc::SFCView*>(view->currentWidget());
    ASSERT_NE(chart, nullptr);
    emit edit->aboutToShow();
    EXPECT_EQ(enabled(), (Flags{false, false, false, false}));
    ASSERT_FALSE(chart->scene()->items().isEmpty());
    for (QGraphicsItem* item : chart->scene()->items())
        item->setSelected(true);
    emit edit->aboutToShow();
    EXPECT_EQ(enabled(), (Flags{false, false, false, true}));
    emit edit->aboutToHide();

    // Protected and not unlocked: nothing edits, whichever editor is shown.
    ASSERT_TRUE(project->setPassword("Geheim 42"));
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(locked)));
    window->open(locked);
    project = Manager::singleton().activeProject();
    ASSERT_TRUE(project->isLocked());
    view = window->programView();
    view->setCurrentIndex(1);
    EXPECT_EQ(enabled(), (Flags{false, false, false, false}));
    diagram = qobject_cast<lumlink::sdf::SDFView*>(view->currentWidget());
    ASSERT_NE(diagram, nullptr);
    diagram->diagramScene()->blockItem("motor")->setSelected(true);
    project->setClipboard(project->saveToMem());
    emit edit->aboutToShow();
    EXPECT_EQ(enabled(), (Flags{false, false, false, false}));
    emit edit->aboutToHide();
    EXPECT_EQ(enabled(), (Flags{false, false, false, false}));
    actions.deleteAction->trigger();
    EXPECT_NE(project->kirogenProject()->diagram("drive")->block("motor"), nullptr);

    // Unlocked, the same selection can be deleted from the window's action as one step.
    ASSERT_TRUE(project->validatePassword("Geheim 42"));
    EXPECT_TRUE(actions.deleteAction->isEnabled());
    actions.deleteAction->trigger();
    EXPECT_EQ(project->kirogenProject()->diagram("drive")->block("motor"), nullptr);
    EXPECT_EQ(project->undoStack()->count(), 1);
}
