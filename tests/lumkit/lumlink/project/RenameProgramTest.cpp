#include "../KitFixture.h"

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/project/View.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sfc/SFCScene.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/StepItem.h>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QUndoStack>

using lumlink::project::Project;
using lumlink::project::View;

namespace {

std::string diagramOfStep(const kirogen::model::Project& model, const std::string& step)
{
    for (const auto& chart : model.sfcModels()) {
        if (const kirogen::model::SfcStep* found = chart->step(step))
            return found->diagram;
    }
    return std::string();
}

QLineEdit* tabNameEditor(const View& view)
{
    auto* editor = view.tabBar()->findChild<QLineEdit*>(QStringLiteral("tabNameEditor"));
    return editor && editor->isVisible() ? editor : nullptr;
}

// Types the name into the tab's editor, as the user does over the selected old name.
void typeName(QLineEdit* editor, const QString& name, Qt::Key key = Qt::Key_Return)
{
    QTest::keyClicks(editor, name);
    QTest::keyClick(editor, key);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A double-click on the step, as the user asks for the diagram it runs.
void openDiagramOfStep(lumlink::sfc::SFCView* chart, const std::string& step)
{
    lumlink::sfc::StepItem* item = chart->chartScene()->stepItem(step);
    ASSERT_NE(item, nullptr);
    chart->ensureVisible(item);
    const QPoint at = chart->mapFromScene(item->sceneBoundingRect().center());
    QTest::mouseDClick(chart->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

using RenameProgramTest = KitFixture;

TEST_F(RenameProgramTest, ATabRenamesItsProgramUndoablyAndTheStepsThatRunItFollow)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    const kirogen::model::Project& model = *project->kirogenProject();
    View view(project);
    QSignalSpy status(&view, &View::statusMessage);
    view.resize(900, 600);
    view.show();
    // The tabs the file has: no change yet.
    ASSERT_TRUE(view.on_raiseView("Patrol", true));
    ASSERT_TRUE(view.on_raiseView("drive", false));
    ASSERT_FALSE(project->isModified());
    auto* chart = qobject_cast<lumlink::sfc::SFCView*>(view.widget(0));
    auto* diagram = qobject_cast<lumlink::sdf::SDFView*>(view.widget(1));
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(diagram, nullptr);
    const auto blocks = model.diagram("drive")->blocks();

    // A double-click on the tab's text opens its name for editing, the old name selected.
    QTest::mouseDClick(view.tabBar(), Qt::LeftButton, Qt::NoModifier, view.tabBar()->tabRect(1).center());
    QLineEdit* editor = tabNameEditor(view);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "drive");
    EXPECT_EQ(editor->selectedText(), "drive");
    EXPECT_FALSE(editor->accessibleName().isEmpty());
    typeName(editor, "cruise");
    EXPECT_EQ(tabNameEditor(view), nullptr);
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "cruise"}));
    EXPECT_EQ(view.programName(1), "cruise");
    EXPECT_EQ(view.widget(1), diagram);
    EXPECT_TRUE(diagram->accessibleName().contains("cruise"));
    EXPECT_EQ(model.diagram("drive"), nullptr);
    ASSERT_NE(model.diagram("cruise"), nullptr);
    EXPECT_EQ(model.diagram("cruise")->blocks(), blocks);
    // The step that ran the diagram runs it under its new name, in the same undo step.
    EXPECT_EQ(diagramOfStep(model, "Drive"), "cruise");
    EXPECT_EQ(chart->chartScene()->stepItem("Drive")->step().diagram, "cruise");
    EXPECT_EQ(project->undoStack()->count(), 1);
    EXPECT_EQ(project->openTabs(), (QStringList{"Patrol", "cruise"}));
    EXPECT_TRUE(project->isModified());

    // The chart's step still opens the diagram: its tab comes to the front, no new one is made.
    view.setCurrentIndex(0);
    openDiagramOfStep(chart, "Drive");
    EXPECT_EQ(view.currentIndex(), 1);
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "cruise"}));
    EXPECT_EQ(model.diagrams().size(), 2u);
    view.setCurrentIndex(0);

    // Undo gives the old name back everywhere, and the project is as saved again.
    project->undoAction()->trigger();
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "drive"}));
    EXPECT_TRUE(diagram->accessibleName().contains("drive"));
    EXPECT_NE(model.diagram("drive"), nullptr);
    EXPECT_EQ(model.diagram("cruise"), nullptr);
    EXPECT_EQ(diagramOfStep(model, "Drive"), "drive");
    EXPECT_EQ(chart->chartScene()->stepItem("Drive")->step().diagram, "drive");
    EXPECT_EQ(project->openTabs(), (QStringList{"Patrol", "drive"}));
    EXPECT_FALSE(project->isModified());
    project->redoAction()->trigger();
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "cruise"}));
    EXPECT_EQ(diagramOfStep(model, "Drive"), "cruise");
    EXPECT_TRUE(project->isModified());

    // A taken name is refused with the reason; the field stays open to correct it, Escape leaves
    // it without a change.
    QMenu* menu = view.createTabMenu(1);
    ASSERT_NE(menu, nullptr);
    QAction* rename = menu->findChild<QAction*>(QStringLiteral("renameProgramAction"));
    ASSERT_NE(rename, nullptr);
    EXPECT_TRUE(rename->isEnabled());
    rename->trigger();
    delete menu;
    editor = tabNameEditor(view);
    ASSERT_NE(editor, nullptr);
    status.clear();
    typeName(editor, "stop");
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.first().first().toString().contains("already a program \"stop\""));
    ASSERT_EQ(tabNameEditor(view), editor);
    typeName(editor, "2fast");
    ASSERT_EQ(status.count(), 2);
    EXPECT_TRUE(status.last().first().toString().contains("no valid program name"));
    typeName(editor, QString(), Qt::Key_Escape);
    EXPECT_EQ(tabNameEditor(view), nullptr);
    EXPECT_FALSE(view.renameProgram("cruise", ""));
    EXPECT_TRUE(status.last().first().toString().contains("needs a name"));
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "cruise"}));
    EXPECT_EQ(project->undoStack()->count(), 1);
    EXPECT_NE(model.diagram("stop"), nullptr);

    // The chart renamed too: its editor still finds its chart and opens the step's diagram.
    ASSERT_TRUE(view.renameProgram("Patrol", "Rounds"));
    EXPECT_EQ(tabTexts(view), (QStringList{"Rounds", "cruise"}));
    EXPECT_TRUE(chart->accessibleName().contains("Rounds"));
    view.setCurrentIndex(0);
    openDiagramOfStep(chart, "Drive");
    EXPECT_EQ(view.currentIndex(), 1);
    EXPECT_EQ(view.count(), 2);

    // Saved and opened again, the programs, their tabs and the step keep the new names.
    ASSERT_TRUE(project->saveAs(QFileInfo(path("renamed.tkp2"))));
    EXPECT_FALSE(project->isModified());
    QMap<int, QString> tabs;
    Project* reopened = open(path("renamed.tkp2"), &tabs);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(tabs.values(), (QStringList{"Rounds", "cruise"}));
    const kirogen::model::Project& reread = *reopened->kirogenProject();
    ASSERT_EQ(reread.sfcModels().size(), 1u);
    EXPECT_EQ(reread.sfcModels().front()->name(), "Rounds");
    EXPECT_EQ(diagramOfStep(reread, "Drive"), "cruise");
    EXPECT_NE(reread.diagram("cruise"), nullptr);
}
