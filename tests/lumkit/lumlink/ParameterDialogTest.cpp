#include "SdfEditorFixture.h"

#include <lumlink/sdf/ParameterDialog.h>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

using lumlink::project::Project;
using lumlink::sdf::ParameterDialog;

namespace {

std::string parameter(Project* project, const std::string& diagram, const std::string& block,
                      const std::string& name)
{
    const auto* found = project->kirogenProject()->diagram(diagram)->block(block);
    if (!found)
        return "<no block>";
    const auto value = found->parameters.find(name);
    return value == found->parameters.end() ? "<default>" : value->second;
}

} // namespace

TEST_F(SdfProjectFixture, aWrongParameterIsRefusedWithTheReasonAndARightOneIsOneUndoableStep)
{
    Project* project = openProject(QStringLiteral(TAVVIEW_DIST_DIR "/examples/counter.tkp2"));
    ASSERT_NE(project, nullptr);
    auto* view = edit(project, "count");

    QString refusal;
    bool stayedOpen = false;
    ASSERT_TRUE(withParameterDialog(view, "two", [&](ParameterDialog* dialog) {
        ASSERT_NE(dialog->field("value"), nullptr);
        typeInto(dialog->field("value"), "two and a half");
        clickOk(dialog);
        refusal = dialog->refusal();
        stayedOpen = dialog->isVisible();
        typeInto(dialog->field("value"), "2.5");
        clickOk(dialog);
    }));
    // The kit's own reason, naming the value and the type it does not fit.
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(refusal.contains("two and a half")) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains("double")) << refusal.toStdString();
    // A block in the editor has no file and line to point at.
    EXPECT_FALSE(refusal.contains("counter.tkp2")) << refusal.toStdString();
    EXPECT_EQ(parameter(project, "count", "two", "value"), "2.5");
    ASSERT_EQ(project->undoStack()->count(), 1);
    EXPECT_TRUE(project->isModified());
    EXPECT_EQ(reloaded(project)->diagram("count")->block("two")->parameters.at("value"), "2.5");

    // The variable of a read block is a choice among the project's variables.
    ASSERT_TRUE(withParameterDialog(view, "readIncrement", [&](ParameterDialog* dialog) {
        auto* choice = qobject_cast<QComboBox*>(dialog->field("variable"));
        ASSERT_NE(choice, nullptr);
        EXPECT_EQ(choice->currentText(), "increment");
        EXPECT_EQ(choice->count(), 4);
        choice->setCurrentIndex(choice->findText("half"));
        clickOk(dialog);
    }));
    EXPECT_EQ(parameter(project, "count", "readIncrement", "variable"), "half");
    ASSERT_EQ(project->undoStack()->count(), 2);

    project->undoAction()->trigger();
    EXPECT_EQ(parameter(project, "count", "readIncrement", "variable"), "increment");
    project->undoAction()->trigger();
    EXPECT_EQ(parameter(project, "count", "two", "value"), "2");
    EXPECT_FALSE(project->isModified());
    project->redoAction()->trigger();
    EXPECT_EQ(parameter(project, "count", "two", "value"), "2.5");
    EXPECT_TRUE(project->isModified());

    // Cancel, and OK without a change, leave the project alone.
    ASSERT_TRUE(withParameterDialog(view, "hundred", [](ParameterDialog* dialog) {
        typeInto(dialog->field("value"), "7");
        dialog->reject();
    }));
    ASSERT_TRUE(withParameterDialog(view, "hundred", clickOk));
    EXPECT_EQ(parameter(project, "count", "hundred", "value"), "100");
    EXPECT_EQ(project->undoStack()->count(), 2);
}

TEST_F(SdfProjectFixture, deviceBlocksChooseAmongTheProjectsDevicesAndThePortsOfTheChosenOne)
{
    Project* project = openProject(QStringLiteral(LUMLINK_TEST_DATA "/patrol.tkp2"));
    ASSERT_NE(project, nullptr);
    auto* view = edit(project, "drive");
    QStringList inputs;
    ASSERT_TRUE(withParameterDialog(view, "front", [&](ParameterDialog* dialog) {
        auto* device = qobject_cast<QComboBox*>(dialog->field("device"));
        auto* port = qobject_cast<QComboBox*>(dialog->field("port"));
        ASSERT_TRUE(device && port);
        EXPECT_EQ(device->currentText(), "tavik");
        EXPECT_EQ(port->currentText(), "distanceFront");
        for (int i = 0; i < port->count(); ++i)
            inputs.append(port->itemText(i));
        port->setCurrentIndex(port->findText("distanceLeft"));
        clickOk(dialog);
    }));
    // Only the device's inputs are offered for a device input block.
    EXPECT_TRUE(inputs.contains("bumper"));
    EXPECT_FALSE(inputs.contains("speed"));
    EXPECT_EQ(parameter(project, "drive", "front", "port"), "distanceLeft");

    // A timer's preset time is a spin box of seconds.
    ASSERT_TRUE(view->placeBlock("ton", QPointF(400, 400)));
    QCoreApplication::processEvents();
    ASSERT_TRUE(withParameterDialog(view, "ton1", [](ParameterDialog* dialog) {
        auto* seconds = qobject_cast<QDoubleSpinBox*>(dialog->field("pt"));
        ASSERT_NE(seconds, nullptr);
        EXPECT_EQ(seconds->value(), 1.0);
        seconds->setValue(2.5);
        clickOk(dialog);
    }));
    EXPECT_EQ(parameter(project, "drive", "ton1", "pt"), "2.5");
    EXPECT_EQ(project->undoStack()->count(), 3);
}
