#include "../KitFixture.h"

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/Actions.h>
#include <lumlink/project/View.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sfc/SFCScene.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/model/Model.h>
#include <util/UniqueId.h>
#include <QAbstractButton>
#include <QGraphicsItem>
#include <QImage>
#include <QTabBar>
#include <QTest>
#include <QUndoStack>

using lumlink::project::Manager;
using lumlink::project::Project;
using lumlink::project::View;

using ViewTest = KitFixture;

TEST_F(ViewTest, TabsOpenOnceRaiseOnRequestCloseByTheirButtonAndAreWhatTheProjectSaves)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    View view(project);
    view.resize(800, 500);
    view.show();
    EXPECT_EQ(project->view(), &view);

    ASSERT_TRUE(view.on_raiseView("Patrol", true));
    // The chart's step asks for the diagram it runs: it opens in front.
    auto* chart = qobject_cast<lumlink::sfc::SFCView*>(view.widget(0));
    ASSERT_NE(chart, nullptr);
    chart->openStepDiagram("Drive");
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "drive"}));
    EXPECT_EQ(view.currentIndex(), 1);
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view.tabBar()->tabButton(1, QTabBar::RightSide)),
                      Qt::LeftButton);
    EXPECT_EQ(view.count(), 1);
    ASSERT_TRUE(view.on_raiseView("drive", false));
    EXPECT_EQ(view.currentIndex(), 0);
    // As the file had them: opening its tabs again is no change.
    EXPECT_FALSE(project->isModified());
    ASSERT_TRUE(view.on_raiseView("drive", true));
    EXPECT_TRUE(project->isModified());
    EXPECT_EQ(tabTexts(view), (QStringList{"Patrol", "drive"}));
    EXPECT_EQ(view.currentIndex(), 1);
    EXPECT_NE(qobject_cast<lumlink::sfc::SFCView*>(view.widget(0)), nullptr);
    EXPECT_NE(qobject_cast<lumlink::sdf::SDFView*>(view.widget(1)), nullptr);
    EXPECT_FALSE(view.on_raiseView("nothing", true));
    EXPECT_EQ(view.count(), 2);
    ASSERT_TRUE(view.on_raiseView("Patrol", true));
    EXPECT_FALSE(project->isModified());

    ASSERT_TRUE(view.on_raiseView("stop", true));
    EXPECT_EQ(project->openTabs(), (QStringList{"Patrol", "drive", "stop"}));
    EXPECT_EQ(project->currentTab(), "stop");

    auto* close = qobject_cast<QAbstractButton*>(view.tabBar()->tabButton(0, QTabBar::RightSide));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(tabTexts(view), (QStringList{"drive", "stop"}));
    EXPECT_EQ(project->openTabs(), (QStringList{"drive", "stop"}));
    EXPECT_EQ(project->currentTab(), "stop");

    // Saved and opened again, the project names the same tabs.
    ASSERT_TRUE(project->saveAs(QFileInfo(path("tabs.tkp2"))));
    EXPECT_FALSE(project->isModified());
    QMap<int, QString> tabs;
    int current = -1;
    ASSERT_NE(open(path("tabs.tkp2"), &tabs, &current), nullptr);
    EXPECT_EQ(tabs, (QMap<int, QString>{{0, "drive"}, {1, "stop"}}));
    EXPECT_EQ(current, 1);
}

TEST_F(ViewTest, ANewProgramIsOneUndoStepWhoseTabFollowsUndoAndRedo)
{
    Project* project = Manager::singleton().createNewProject();
    View view(project);
    const auto& model = *project->kirogenProject();

    EXPECT_EQ(view.newSdf(lumlink::sfc::model::Model::typeId()), "Sequence1");
    ASSERT_EQ(model.sfcModels().size(), 1u);
    ASSERT_NE(model.sfcModels().front()->initialStep(), nullptr);
    EXPECT_EQ(tabTexts(view), QStringList{"Sequence1"});
    EXPECT_NE(qobject_cast<lumlink::sfc::SFCView*>(view.currentWidget()), nullptr);
    EXPECT_TRUE(project->isModified());
    EXPECT_EQ(project->undoStack()->count(), 1);

    project->undoStack()->undo();
    EXPECT_TRUE(model.sfcModels().empty());
    EXPECT_EQ(view.count(), 0);
    EXPECT_TRUE(project->openTabs().isEmpty());
    // Back where it started: neither the program nor its tab is left to save.
    EXPECT_FALSE(project->isModified());

    project->undoStack()->redo();
    EXPECT_EQ(tabTexts(view), QStringList{"Sequence1"});
    EXPECT_TRUE(project->isModified());

    EXPECT_EQ(view.newSdf(util::UniqueId()), "Diagram1");
    EXPECT_EQ(view.newSdf(lumlink::sfc::model::Model::typeId()), "Sequence2");
    EXPECT_EQ(tabTexts(view), (QStringList{"Sequence1", "Diagram1", "Sequence2"}));
    ASSERT_NE(model.diagram("Diagram1"), nullptr);
    EXPECT_NE(qobject_cast<lumlink::sdf::SDFView*>(view.widget(1)), nullptr);
    EXPECT_EQ(project->currentTab(), "Sequence2");

    // Saved, the new programs load again with their tabs.
    ASSERT_TRUE(project->saveAs(QFileInfo(path("new.tkpx"))));
    QMap<int, QString> tabs;
    int current = -1;
    Project* reopened = open(path("new.tkpx"), &tabs, &current);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(tabs.values(), (QStringList{"Sequence1", "Diagram1", "Sequence2"}));
    EXPECT_EQ(current, 2);
}

TEST_F(ViewTest, NothingIsMadeInAProtectedProject)
{
    Project* project = Manager::singleton().createNewProject();
    ASSERT_TRUE(project->setPassword("Geheim 42"));
    ASSERT_TRUE(project->saveAs(QFileInfo(path("locked.tkp2"))));
    Project* locked = open(path("locked.tkp2"));
    ASSERT_NE(locked, nullptr);
    ASSERT_TRUE(locked->isLocked());
    View view(locked);
    EXPECT_TRUE(view.newSdf(lumlink::sfc::model::Model::typeId()).isEmpty());
    EXPECT_EQ(view.count(), 0);
    EXPECT_TRUE(locked->kirogenProject()->sfcModels().empty());
    EXPECT_EQ(locked->undoStack()->count(), 0);
}

TEST_F(ViewTest, ZoomFitAndTheEditActionsReachTheCurrentEditorOfTheActiveView)
{
    Project* project = open(patrolProject());
    View view(project);
    view.resize(800, 500);
    view.show();
    ASSERT_TRUE(view.on_raiseView("Patrol", true));
    ASSERT_TRUE(view.on_raiseView("drive", true));
    auto* chart = qobject_cast<lumlink::sfc::SFCView*>(view.widget(0));
    auto* diagram = qobject_cast<lumlink::sdf::SDFView*>(view.widget(1));
    ASSERT_TRUE(chart && diagram);
    const double chartZoom = chart->zoom();

    diagram->setTransform(QTransform());
    view.zoomIn();
    EXPECT_DOUBLE_EQ(diagram->zoom(), 1.25);
    view.zoomOut();
    view.zoomOut();
    EXPECT_DOUBLE_EQ(diagram->zoom(), 0.8);
    view.fit();
    EXPECT_NE(diagram->zoom(), 0.8);
    EXPECT_DOUBLE_EQ(chart->zoom(), chartZoom);

    const lumlink::Actions& actions = lumlink::Actions::singleton();
    const auto selected = [](QGraphicsView* editor) { return editor->scene()->selectedItems().size(); };
    actions.selectAllAction->trigger();
    const int blocks = static_cast<int>(project->kirogenProject()->diagram("drive")->blocks().size());
    EXPECT_GE(selected(diagram), blocks);
    EXPECT_EQ(selected(chart), 0);
    actions.clearSelectionAction->trigger();
    EXPECT_EQ(selected(diagram), 0);

    // Copied in one diagram, pasted into another, as one step.
    diagram->diagramScene()->blockItem("motor")->setSelected(true);
    actions.copyAction->trigger();
    ASSERT_FALSE(project->isClipboardEmpty());
    ASSERT_TRUE(view.on_raiseView("stop", true));
    const std::size_t stopBlocks = project->kirogenProject()->diagram("stop")->blocks().size();
    actions.pasteAction->trigger();
    EXPECT_EQ(project->kirogenProject()->diagram("stop")->blocks().size(), stopBlocks + 1);
    EXPECT_EQ(project->undoStack()->count(), 1);
    project->undoStack()->undo();
    view.setCurrentIndex(1);
    diagram->diagramScene()->clearSelection();

    // A view whose project is not the active one leaves the actions to the one that is.
    diagram->diagramScene()->blockItem("motor")->setSelected(true);
    Project* other = Manager::singleton().createNewProject();
    View otherView(other);
    actions.deleteAction->trigger();
    EXPECT_NE(project->kirogenProject()->diagram("drive")->block("motor"), nullptr);
    EXPECT_EQ(project->undoStack()->count(), 1);
    EXPECT_EQ(project->undoStack()->index(), 0);
}

TEST_F(ViewTest, ExportsWriteTheCurrentDiagramAndLogWhatTheyCannotDo)
{
    Project* project = open(patrolProject());
    View view(project);
    EXPECT_FALSE(view.exportProgramToImage(path("none.png")));
    EXPECT_TRUE(logged("Could not export to " + path("none.png") + ": no program is open"));

    ASSERT_TRUE(view.on_raiseView("drive", true));
    ASSERT_TRUE(view.exportProgramToImage(path("drive.png")));
    EXPECT_FALSE(QImage(path("drive.png")).isNull());
    ASSERT_TRUE(view.exportProgramToPdfPs(path("drive.ps")));
    QFile postScript(path("drive.ps"));
    ASSERT_TRUE(postScript.open(QIODevice::ReadOnly));
    EXPECT_TRUE(postScript.read(4).startsWith("%!PS"));
    ASSERT_TRUE(view.exportProgramToPdfPs(path("drive.pdf")));
    QFile pdf(path("drive.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF-"));

    const QString unwritable = path("missing/folder/drive.pdf");
    EXPECT_FALSE(view.exportProgramToPdfPs(unwritable));
    EXPECT_TRUE(logged("Could not export to " + unwritable));
    EXPECT_FALSE(QFileInfo::exists(unwritable));

    // The whole project, whichever tab is in front; a failure leaves no file either.
    ASSERT_TRUE(view.exportProjectToPdfPs(path("project.pdf")));
    QFile document(path("project.pdf"));
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    EXPECT_TRUE(document.read(5).startsWith("%PDF-"));
    EXPECT_FALSE(view.exportProjectToPdfPs(path("missing/project.ps")));
    EXPECT_TRUE(logged("Could not export to " + path("missing/project.ps")));
    EXPECT_FALSE(QFileInfo::exists(path("missing/project.ps")));

    // A sequence chart is written like a diagram, in the chart's proportions.
    ASSERT_TRUE(view.on_raiseView("Patrol", true));
    auto* chart = qobject_cast<lumlink::sfc::SFCView*>(view.currentWidget());
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(view.exportProgramToPdfPs(path("patrol.pdf")));
    QFile chartDocument(path("patrol.pdf"));
    ASSERT_TRUE(chartDocument.open(QIODevice::ReadOnly));
    EXPECT_TRUE(chartDocument.read(5).startsWith("%PDF-"));
    ASSERT_TRUE(view.exportProgramToImage(path("patrol.png")));
    const QImage chartImage(path("patrol.png"));
    const QRectF covered = chart->chartScene()->chartRect();
    ASSERT_FALSE(chartImage.isNull());
    EXPECT_NEAR(double(chartImage.width()) / chartImage.height(), covered.width() / covered.height(), 0.01);
    EXPECT_FALSE(view.exportProgramToImage(path("patrol.nope")));
    EXPECT_TRUE(logged("No image format is known for the file name " + path("patrol.nope")));
    EXPECT_FALSE(QFileInfo::exists(path("patrol.nope")));
}
