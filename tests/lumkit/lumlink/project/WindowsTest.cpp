#include "../KitFixture.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/import/DeviceMappingDialog.h>
#include <lumlink/project/import/SdfDialog.h>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include <LoopbackServer.h>

using lumlink::project::Device;
using lumlink::project::DevicesWindow;
using lumlink::project::GlobalVariablesWindow;
using lumlink::project::Manager;
using lumlink::project::Project;
using lumlink::project::import::DeviceMappingDialog;
using lumlink::project::import::SdfDialog;

namespace {

QStringList column(const QTableWidget* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts.append(table->item(row, column)->text());
    return texts;
}

Device* newDevice(Project* project, const char* typeId, const char* name)
{
    const auto type = kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId(typeId);
    return Device::create(type->createDeviceInstance(project->kirogenProject(), name), project);
}

QMap<QString, QPushButton*> buttonsByText(QWidget* window)
{
    QMap<QString, QPushButton*> buttons;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        buttons.insert(button->text(), button);
    return buttons;
}

// Types text into the value's editor, opened with Enter on its row, and commits it with Enter.
void typeValue(QTreeWidget* tree, QTreeWidgetItem* setting, const QString& text)
{
    tree->setCurrentItem(setting);
    QTest::keyClick(tree, Qt::Key_Return);
    auto* editor = tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->accessibleName(), "Value of " + setting->text(0));
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the text from its event loop and then lets the editor go.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opens the bool value's editor with a double-click and picks the other value with an arrow key.
void toggleValue(QTreeWidget* tree, QTreeWidgetItem* setting)
{
    const QRect cell = tree->visualItemRect(setting).intersected(
        QRect(tree->header()->sectionViewportPosition(DevicesWindow::ValueColumn), 0,
              tree->header()->sectionSize(DevicesWindow::ValueColumn), tree->viewport()->height()));
    // A first click selects the row; the double-click opens the editor.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
    auto* editor = tree->viewport()->findChild<QComboBox*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, editor->currentText() == "false" ? Qt::Key_Down : Qt::Key_Up);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

using WindowsTest = KitFixture;

TEST_F(WindowsTest, GlobalVariablesAreEditedInTheTableThroughTheUndoStack)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    lumlink::Actions::singleton().viewLibraryAction1->trigger();
    GlobalVariablesWindow* window = project->globalVariablesWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(project->dialogs(), QList<QWidget*>{window});
    QTableWidget* table = window->table();
    EXPECT_EQ(column(table, GlobalVariablesWindow::NameColumn),
              (QStringList{"bumped", "cruiseSpeed", "distance", "driving"}));
    EXPECT_EQ(table->item(1, GlobalVariablesWindow::InitialValueColumn)->text(), "0.2");

    table->item(1, GlobalVariablesWindow::InitialValueColumn)->setText("0.35");
    EXPECT_EQ(project->kirogenProject()->globalVariable("cruiseSpeed")->initialValue().toString(), "0.35");
    EXPECT_EQ(project->undoStack()->count(), 1);

    // Refused: a value that is no double, a rename of a variable in use.
    table->item(1, GlobalVariablesWindow::InitialValueColumn)->setText("fast");
    EXPECT_EQ(table->item(1, GlobalVariablesWindow::InitialValueColumn)->text(), "0.35");
    table->item(3, GlobalVariablesWindow::NameColumn)->setText("moving");
    EXPECT_EQ(table->item(3, GlobalVariablesWindow::NameColumn)->text(), "driving");
    EXPECT_EQ(project->undoStack()->count(), 1);

    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        (button->text() == "Add" ? add : remove) = button;
    ASSERT_TRUE(add && remove);
    window->findChild<QComboBox*>()->setCurrentText("int");
    add->click();
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_EQ(table->item(4, GlobalVariablesWindow::NameColumn)->text(), "variable");
    EXPECT_EQ(table->item(4, GlobalVariablesWindow::TypeColumn)->text(), "int");
    table->item(4, GlobalVariablesWindow::NameColumn)->setText("laps");
    EXPECT_EQ(column(table, 0), (QStringList{"bumped", "cruiseSpeed", "distance", "driving", "laps"}));

    table->selectRow(4);
    remove->click();
    EXPECT_EQ(table->rowCount(), 4);
    project->undoAction()->trigger();
    EXPECT_EQ(column(table, 0).last(), "laps");
}

TEST_F(WindowsTest, DeviceMappingOffersTheProjectsDevicesOfTheSameTypeOrACopy)
{
    Project* project = Manager::singleton().createNewProject();
    ASSERT_TRUE(project->addDevice(newDevice(project, "LUM GmbH Tavik", "front")));
    ASSERT_TRUE(project->addDevice(newDevice(project, "LUM GmbH Tavik", "tavik")));
    ASSERT_TRUE(project->addDevice(newDevice(project, "LUM GmbH Local Camera", "cam")));
    const QMap<QString, QString> other{
        {"tavik", "LUM GmbH Tavik"}, {"eye", "LUM GmbH Local Camera"}, {"stick", "LUM GmbH Joystick"}};
    DeviceMappingDialog dialog(other, project);

    QComboBox* tavik = dialog.choice("tavik");
    ASSERT_NE(tavik, nullptr);
    ASSERT_EQ(tavik->count(), 3);
    EXPECT_EQ(tavik->itemText(0), "Copy as a new device");
    EXPECT_EQ(tavik->itemText(1), "front");
    EXPECT_EQ(tavik->currentText(), "tavik");
    EXPECT_EQ(dialog.choice("stick")->count(), 1);
    EXPECT_EQ(dialog.getMapping(), (QMap<QString, QString>{{"tavik", "tavik"}, {"eye", "cam"}}));
    tavik->setCurrentIndex(1);
    dialog.choice("eye")->setCurrentIndex(0);
    EXPECT_EQ(dialog.getMapping(), (QMap<QString, QString>{{"tavik", "front"}}));
}

TEST_F(WindowsTest, TheProgramListGivesTheCheckedChartsAndDiagramsForTheImport)
{
    Project* project = Manager::singleton().createNewProject();
    ASSERT_TRUE(project->addDevice(newDevice(project, "LUM GmbH Tavik", "tavik")));
    QMap<QString, QStringList> programs;
    QMap<QString, QString> devices;
    ASSERT_TRUE(project->getSDFsAndDevs(QFileInfo(patrolProject()), programs, devices));
    DeviceMappingDialog mapping(devices, project);
    SdfDialog dialog(programs, devices, mapping.getMapping());
    EXPECT_EQ(dialog.getSelection(), QStringList{"Patrol"});
    QTreeWidgetItem* chart = dialog.tree()->topLevelItem(0);
    EXPECT_EQ(chart->childCount(), 2);
    EXPECT_EQ(chart->flags() & Qt::ItemIsUserCheckable, Qt::ItemIsUserCheckable);
    EXPECT_EQ(chart->child(0)->flags() & Qt::ItemIsUserCheckable, 0);

    ASSERT_TRUE(project->importSDFsIntoProject(QFileInfo(patrolProject()), dialog.getSelection(),
                                               mapping.getMapping()));
    EXPECT_EQ(project->devices().size(), 1);
    EXPECT_EQ(project->kirogenProject()->sfcModels().size(), 1u);
    chart->setCheckState(0, Qt::Unchecked);
    EXPECT_TRUE(dialog.getSelection().isEmpty());

    // Diagrams no chart runs are listed on their own.
    SdfDialog free({{"", {"a", "b"}}, {"Main", {"a"}}}, {}, {});
    EXPECT_EQ(free.getSelection(), (QStringList{"Main", "a", "b"}));
}

TEST_F(WindowsTest, DevicesAreListedAddedRemovedAndConnectedFromTheirWindow)
{
    Project* project = Manager::singleton().createNewProject();
    ASSERT_TRUE(project->addDevice(newDevice(project, "Test Simulated Robot", "sim")));
    lumlink::Actions::singleton().viewLibraryAction2->trigger();
    lumlink::project::DevicesWindow* window = project->devicesWindow();
    EXPECT_TRUE(window->isVisible());
    QTreeWidget* tree = window->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(2), "not connected");

    QMap<QString, QPushButton*> buttons;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        buttons.insert(button->text(), button);
    tree->setCurrentItem(tree->topLevelItem(0));
    buttons.value("Connect")->click();
    EXPECT_TRUE(waitFor([&] { return tree->topLevelItem(0)->text(2) == "connected"; }));
    tree->setCurrentItem(tree->topLevelItem(0));
    buttons.value("Disconnect")->click();
    EXPECT_TRUE(waitFor([&] { return tree->topLevelItem(0)->text(2) == "not connected"; }));

    // A robot, with its parameters and configuration listed under it.
    window->findChild<QComboBox*>()->setCurrentText("Tavik robot");
    buttons.value("Add")->click();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* robot = tree->topLevelItem(1);
    EXPECT_EQ(robot->text(0), "Tavik robot");
    QStringList settings;
    for (int i = 0; i < robot->childCount(); ++i)
        settings.append(robot->child(i)->text(0) + "=" + robot->child(i)->text(2));
    EXPECT_EQ(settings, (QStringList{"ipAddress=127.0.0.1", "port=7171", "disableDriveSystem=false"}));
    EXPECT_EQ(project->devices().last()->name(), "Tavik robot");

    tree->setCurrentItem(robot->child(0));
    buttons.value("Remove")->click();
    EXPECT_EQ(project->devices().size(), 1);
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    project->undoAction()->trigger();
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(project->dialogs().size(), 1);
}

TEST_F(WindowsTest, DeviceValuesAreEditedInTheirTypeAsUndoableStepsThatLastInTheFile)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    lumlink::Actions::singleton().viewLibraryAction2->trigger();
    DevicesWindow* window = project->devicesWindow();
    QTreeWidget* tree = window->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* robot = tree->topLevelItem(0);
    ASSERT_EQ(robot->childCount(), 3);
    QTreeWidgetItem* port = robot->child(1);
    QTreeWidgetItem* drive = robot->child(2);
    EXPECT_EQ(port->text(DevicesWindow::TypeColumn), "parameter (int)");
    EXPECT_EQ(drive->text(DevicesWindow::TypeColumn), "configuration (bool)");
    const auto instance = project->device("tavik")->deviceInstance();

    // A value that is no int is refused with the reason, and the model's value shows again.
    typeValue(tree, port, "71x");
    EXPECT_EQ(port->text(DevicesWindow::ValueColumn), "7171");
    EXPECT_TRUE(window->message().contains("\"71x\" is no int")) << window->message().toStdString();
    EXPECT_EQ(instance->parameter("port").toString(), "7171");
    EXPECT_EQ(project->undoStack()->count(), 0);
    EXPECT_FALSE(project->isModified());

    testsupport::LoopbackServer server;
    typeValue(tree, port, QString::number(server.port()));
    EXPECT_TRUE(window->message().isEmpty());
    EXPECT_EQ(instance->parameter("port").toString(), std::to_string(server.port()));
    EXPECT_EQ(port->text(DevicesWindow::ValueColumn), QString::number(server.port()));
    EXPECT_EQ(project->undoStack()->count(), 1);
    EXPECT_TRUE(project->isModified());

    toggleValue(tree, drive);
    EXPECT_EQ(instance->configVariable("disableDriveSystem")->value().toString(), "true");
    EXPECT_EQ(drive->text(DevicesWindow::ValueColumn), "true");
    EXPECT_EQ(project->undoStack()->count(), 2);

    // The device connects where its edited parameter points.
    tree->setCurrentItem(robot);
    buttonsByText(window).value("Connect")->click();
    ASSERT_TRUE(server.accept());
    EXPECT_TRUE(
        waitFor([&] { return tree->topLevelItem(0)->text(DevicesWindow::ValueColumn) == "connected"; }));
    tree->setCurrentItem(tree->topLevelItem(0));
    buttonsByText(window).value("Disconnect")->click();
    EXPECT_TRUE(
        waitFor([&] { return tree->topLevelItem(0)->text(DevicesWindow::ValueColumn) == "not connected"; }));

    // Each change is one step; undone to the file's state the project is clean again.
    robot = tree->topLevelItem(0);
    project->undoAction()->trigger();
    EXPECT_EQ(robot->child(2)->text(DevicesWindow::ValueColumn), "false");
    EXPECT_EQ(robot->child(1)->text(DevicesWindow::ValueColumn), QString::number(server.port()));
    project->undoAction()->trigger();
    EXPECT_EQ(robot->child(1)->text(DevicesWindow::ValueColumn), "7171");
    EXPECT_EQ(instance->parameter("port").toString(), "7171");
    EXPECT_FALSE(project->isModified());
    project->redoAction()->trigger();
    project->redoAction()->trigger();
    EXPECT_TRUE(project->isModified());
    EXPECT_EQ(robot->child(2)->text(DevicesWindow::ValueColumn), "true");

    const QString file = path("edited.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    EXPECT_FALSE(project->isModified());
    Project* reopened = open(file);
    ASSERT_NE(reopened, nullptr);
    const auto again = reopened->device("tavik")->deviceInstance();
    EXPECT_EQ(again->parameter("port").toString(), std::to_string(server.port()));
    EXPECT_EQ(again->configVariable("disableDriveSystem")->value().toString(), "true");
    EXPECT_EQ(reopened->devicesWindow()->tree()->topLevelItem(0)->child(2)->text(DevicesWindow::ValueColumn),
              "true");
}

TEST_F(WindowsTest, DeviceValuesOfAProtectedProjectAreRefusedUntilItsPasswordIsGiven)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    ASSERT_TRUE(project->setPassword("Geheim 42"));
    const QString file = path("locked.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    Project* locked = open(file);
    ASSERT_NE(locked, nullptr);
    ASSERT_TRUE(locked->isLocked());
    DevicesWindow* window = locked->devicesWindow();
    window->show();
    QTreeWidget* tree = window->tree();
    QTreeWidgetItem* address = tree->topLevelItem(0)->child(0);
    const auto instance = locked->device("tavik")->deviceInstance();

    typeValue(tree, address, "127.0.0.2");
    EXPECT_EQ(address->text(DevicesWindow::ValueColumn), "127.0.0.1");
    EXPECT_TRUE(window->message().contains("protected")) << window->message().toStdString();
    toggleValue(tree, tree->topLevelItem(0)->child(2));
    EXPECT_EQ(tree->topLevelItem(0)->child(2)->text(DevicesWindow::ValueColumn), "false");
    EXPECT_EQ(instance->parameter("ipAddress").toString(), "127.0.0.1");
    EXPECT_EQ(instance->configVariable("disableDriveSystem")->value().toString(), "false");
    EXPECT_EQ(locked->undoStack()->count(), 0);
    EXPECT_FALSE(locked->isModified());

    ASSERT_TRUE(locked->validatePassword("Geheim 42"));
    typeValue(tree, address, "127.0.0.2");
    EXPECT_EQ(instance->parameter("ipAddress").toString(), "127.0.0.2");
    EXPECT_TRUE(window->message().isEmpty());
    EXPECT_TRUE(locked->isModified());
}
