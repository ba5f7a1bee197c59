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
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUndoStack>

using lumlink::project::Device;
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
