#include "tavview/Actions.h"
#include "tavview/MainWindow.h"
#include "tavview/TaskView.h"
#include "tavview/TavikTask.h"
#include "tavview/toolbar/Bar.h"
#include "tavview/uploader/Options.h"
#include "tavview/uploader/View.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <lum/qt/gui/option/Dialog.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using lumlink::project::Manager;
using lumlink::project::Project;
using tavview::TaskView;
using tavview::TavikTask;

namespace {

QAction* uploadCommand()
{
    return tavview::Actions::singleton().uploadCurProj;
}

// A device of the given type added to the project, with its address when one is given.
void addDevice(Project* project, const char* typeId, const std::string& name, const char* address = nullptr)
{
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(typeId);
    ASSERT_TRUE(type);
    const auto instance = type->createDeviceInstance(project->kirogenProject(), name);
    ASSERT_TRUE(instance);
    if (address) {
        ASSERT_TRUE(instance->setParameter("ipAddress", address));
    }
    ASSERT_TRUE(project->addDevice(lumlink::project::Device::create(instance, project)));
}

QLineEdit* addressLine(const TavikTask* task)
{
    return task->findChild<QLineEdit*>(QStringLiteral("ipAddressLineEdit"));
}

QTabWidget* tabs(const TavikTask* task)
{
    return task->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
}

// The panel of a task view with a program view installed, shown as the user sees it.
class TaskPanel : public testing::Test
{
protected:
    void SetUp() override
    {
        project = Manager::singleton().createNewProject();
        taskView = std::make_unique<TaskView>();
        programView = new QWidget;
        taskView->setProgramView(programView);
        task = taskView->tavikTask();
        ASSERT_NE(addressLine(task), nullptr);
        ASSERT_NE(tabs(task), nullptr);
        taskView->show();
    }

    void TearDown() override
    {
        // The stack owns the views it was given.
        taskView.reset();
        QCoreApplication::processEvents();
    }

    Project* project = nullptr;
    std::unique_ptr<TaskView> taskView;
    QWidget* programView = nullptr;
    TavikTask* task = nullptr;
};

} // namespace

TEST_F(TaskPanel, TheFirstRobotDeviceGivesTheAddressOnlyToAnEmptyEnabledLine)
{
    addDevice(project, "LUM GmbH Generic Device", "panel");
    addDevice(project, "LUM GmbH Tavik", "first", "10.0.0.5:8080");
    addDevice(project, "LUM GmbH Tavik", "second", "10.0.0.9");
    QSignalSpy changed(task, &TavikTask::ipAddressChanged);

    EXPECT_FALSE(task->isVisible());
    uploadCommand()->trigger();
    ASSERT_TRUE(task->isVisible());
    EXPECT_EQ(addressLine(task)->text(), QStringLiteral("10.0.0.5"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toString(), QStringLiteral("10.0.0.5"));

    // Shown again with text in the line: the user's address stays.
    addressLine(task)->setText(QStringLiteral("robot.local"));
    tabs(task)->setCurrentIndex(0);
    uploadCommand()->trigger();
    EXPECT_EQ(addressLine(task)->text(), QStringLiteral("robot.local"));
    EXPECT_EQ(changed.size(), 1);

    // A disabled line is left alone even when empty.
    addressLine(task)->clear();
    task->setIpAddressLineEditEnabled(false);
    tabs(task)->setCurrentIndex(0);
    uploadCommand()->trigger();
    EXPECT_TRUE(addressLine(task)->text().isEmpty());
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(TaskPanel, NoAddressWithoutARobotAddressToSplit)
{
    QSignalSpy changed(task, &TavikTask::ipAddressChanged);
    // The fresh project has no devices at all; then a robot whose address is only a separator.
    uploadCommand()->trigger();
    tabs(task)->setCurrentIndex(0);
    addDevice(project, "LUM GmbH Tavik", "tavik", ":");
    uploadCommand()->trigger();
    EXPECT_TRUE(task->isVisible());
    EXPECT_TRUE(addressLine(task)->text().isEmpty());
    EXPECT_TRUE(changed.isEmpty());
}

TEST_F(TaskPanel, TheUploadCommandAndTheProjectTabSwitchBetweenProgramsAndPanel)
{
    EXPECT_EQ(taskView->currentWidget(), programView);
    EXPECT_FALSE(uploadCommand()->isChecked());

    // The "Project" tab was left current: the command still opens the panel on "Upload".
    tabs(task)->setCurrentIndex(0);
    EXPECT_EQ(taskView->currentWidget(), programView);
    uploadCommand()->trigger();
    EXPECT_EQ(taskView->currentWidget(), task);
    EXPECT_EQ(tabs(task)->currentWidget(), task->uploadView());
    EXPECT_EQ(tabs(task)->tabText(0), QStringLiteral("Project"));
    EXPECT_EQ(tabs(task)->tabText(1), QStringLiteral("Upload"));
    EXPECT_TRUE(uploadCommand()->isChecked());
    uploadCommand()->trigger();
    EXPECT_TRUE(uploadCommand()->isChecked());
    EXPECT_EQ(taskView->currentWidget(), task);

    tabs(task)->setCurrentIndex(0);
    EXPECT_EQ(taskView->currentWidget(), programView);
    EXPECT_FALSE(uploadCommand()->isChecked());

    // A new program view comes forward and unchecks the command.
    uploadCommand()->trigger();
    auto* next = new QWidget;
    taskView->setProgramView(next);
    EXPECT_EQ(taskView->currentWidget(), next);
    EXPECT_EQ(taskView->programView(), next);
    EXPECT_FALSE(uploadCommand()->isChecked());
    EXPECT_EQ(taskView->indexOf(programView), -1) << "the replaced view is still a page";
    delete next;
    EXPECT_EQ(taskView->currentWidget(), task) << "a deleted view left a page behind";
}

TEST(TaskPanelAlone, WithoutAProgramViewThePanelStaysAndItsProjectTabIsHarmless)
{
    Manager::singleton().createNewProject();
    TaskView taskView;
    taskView.show();
    TavikTask* task = taskView.tavikTask();
    EXPECT_EQ(taskView.currentWidget(), task);
    EXPECT_EQ(tabs(task)->currentIndex(), 1);
    EXPECT_TRUE(uploadCommand()->isChecked()) << "the upload view is shown, so its command is checked";
    tabs(task)->setCurrentIndex(0);
    EXPECT_EQ(taskView.currentWidget(), task);
    EXPECT_FALSE(uploadCommand()->isChecked());
    uploadCommand()->trigger();
    EXPECT_EQ(tabs(task)->currentIndex(), 1);
}

TEST_F(TaskPanel, TheLineReportsAcceptableAndInvalidAddressesAtTheEndOfEditing)
{
    uploadCommand()->trigger();
    QSignalSpy changed(task, &TavikTask::ipAddressChanged);
    QSignalSpy invalid(task, &TavikTask::invalidIPAddress);
    QLineEdit* line = addressLine(task);
    line->setFocus();

    QTest::keyClicks(line, QStringLiteral("10.0.0.7"));
    QTest::keyClick(line, Qt::Key_Return);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toString(), QStringLiteral("10.0.0.7"));

    // White space makes the text unacceptable: the line itself would report nothing at all.
    line->clear();
    QTest::keyClicks(line, QStringLiteral("10.0 .0.7"));
    QTest::keyClick(line, Qt::Key_Return);
    ASSERT_EQ(invalid.size(), 1);
    EXPECT_EQ(invalid[0][0].toString(), QStringLiteral("10.0 .0.7"));
    // Leaving the line after that reports the same text only once.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(line, &focusOut);
    EXPECT_EQ(invalid.size(), 1);
    // Edited and left by focus alone: reported again.
    QTest::keyClick(line, Qt::Key_Backspace);
    QApplication::sendEvent(line, &focusOut);
    ASSERT_EQ(invalid.size(), 2);
    EXPECT_EQ(invalid[1][0].toString(), QStringLiteral("10.0 .0."));
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(TaskPanel, DisablingTheAreaKeepsOnlyTheLabelEnabled)
{
    uploadCommand()->trigger();
    taskView->setComponentEnabled(false);
    EXPECT_FALSE(programView->isEnabled());
    EXPECT_FALSE(tabs(task)->tabBar()->isEnabled());
    EXPECT_FALSE(addressLine(task)->isEnabled());
    EXPECT_FALSE(task->uploadView()->isEnabled());
    EXPECT_TRUE(task->findChild<QLabel*>()->isEnabled());
    EXPECT_EQ(task->findChild<QLabel*>()->buddy(), addressLine(task));
    // The tabs' pages keep their own state: only the bar is off.
    EXPECT_TRUE(tabs(task)->isEnabled());

    taskView->setComponentEnabled(true);
    EXPECT_TRUE(programView->isEnabled());
    EXPECT_TRUE(tabs(task)->tabBar()->isEnabled());
    EXPECT_TRUE(addressLine(task)->isEnabled());
    EXPECT_TRUE(task->uploadView()->isEnabled());
}

TEST_F(TaskPanel, GermanTextsFollowALanguageChange)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVVIEW_BUILD_DIR "/translations/tavview_de.qm")));
    QCoreApplication::installTranslator(&german);
    QMetaObject::invokeMethod(task, "translate");
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(task->findChild<QLabel*>()->text(), QStringLiteral("Tavik-IP-Adresse:"));
    EXPECT_EQ(tabs(task)->tabText(0), QStringLiteral("Projekt"));
    EXPECT_EQ(tabs(task)->tabText(1), QStringLiteral("Hochladen"));
    EXPECT_EQ(addressLine(task)->accessibleName(), QStringLiteral("Tavik-IP-Adresse"));
    QMetaObject::invokeMethod(task, "translate");
}

// The whole area in the real main window: its toolbar button, its options page and its menus.
TEST(TaskPanelInTheWindow, TheToolbarOpensThePanelAndTheOptionsHaveTheUploadPage)
{
    QSettings().clear();
    tavview::MainWindow window;
    window.show();
    TaskView* taskView = window.taskView();
    ASSERT_NE(taskView->programView(), nullptr);
    EXPECT_EQ(taskView->currentWidget(), taskView->programView());

    // The command stands on the toolbar right before the robot's own widget.
    QList<QAction*> shown;
    for (QAction* action : window.toolBar()->actions()) {
        if (action->isVisible())
            shown << action;
    }
    const int upload = shown.indexOf(uploadCommand());
    ASSERT_GE(upload, 0);
    ASSERT_LT(upload + 1, shown.size());
    EXPECT_EQ(shown[upload + 1], window.toolBar()->tavikWidgetAction());
    auto* button = qobject_cast<QToolButton*>(window.toolBar()->widgetForAction(uploadCommand()));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(taskView->currentWidget(), taskView->tavikTask());
    EXPECT_TRUE(uploadCommand()->isChecked());
    EXPECT_EQ(addressLine(taskView->tavikTask())->text(), QStringLiteral("127.0.0.1"));

    // A newly opened project shows its programs again.
    window.open(QStringLiteral(TAVVIEW_BUILD_DIR "/examples/counter.tkp2"));
    EXPECT_EQ(taskView->currentWidget(), taskView->programView());
    EXPECT_FALSE(uploadCommand()->isChecked());

    // The options are reached from the Extras menu.
    QMenu* extras = nullptr;
    for (QMenu* entry : window.menuWidget()->findChildren<QMenu*>()) {
        if (entry->title() == QStringLiteral("&Extras"))
            extras = entry;
    }
    ASSERT_NE(extras, nullptr);
    ASSERT_TRUE(extras->actions().contains(lumlink::Actions::singleton().optionsAction));
    lumlink::Actions::singleton().optionsAction->trigger();
    auto* dialog = window.findChild<lum::qt::gui::option::Dialog*>();
    ASSERT_NE(dialog, nullptr);
    auto* page = dialog->findChild<tavview::uploader::Options*>();
    ASSERT_NE(page, nullptr);
    const QTreeWidget* list = dialog->findChild<QTreeWidget*>(QStringLiteral("pageList"));
    ASSERT_NE(list, nullptr);
    QStringList titles;
    for (int item = 0; item < list->topLevelItemCount(); ++item)
        titles << list->topLevelItem(item)->text(0);
    EXPECT_EQ(titles.last(), QStringLiteral("Upload & Execute"));
    dialog->setCurrentPage(page);
    page->findChild<QSpinBox*>()->setValue(1500);
    EXPECT_EQ(tavview::uploader::Options::debugInterval(), 1500);
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(lumlink::Actions::singleton().optionsAction->isEnabled());
    QSettings().clear();
}
