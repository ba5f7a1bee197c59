#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/sim/condition/ConditionError.h>
#include <kirogen/sim/condition/ConditionParser.h>
#include <lumlink/project/Project.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/SFCScene.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPathStroker>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <ProjectTestSupport.h>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

using kirogen::model::Position;
using kirogen::model::SfcModel;
using kirogen::model::SfcTransition;
using lumlink::sfc::StepItem;
using lumlink::sfc::TransitionItem;

namespace {

template <typename Item>
QList<Item*> itemsOf(const QGraphicsScene& scene)
{
    QList<Item*> found;
    for (QGraphicsItem* item : scene.items(Qt::AscendingOrder)) {
        if (auto* wanted = dynamic_cast<Item*>(item))
            found.append(wanted);
    }
    return found;
}

bool hasTransition(const SfcModel& chart, const std::string& from, const std::string& to)
{
    for (const SfcTransition& transition : chart.transitions()) {
        if (transition.from == from && transition.to == to)
            return true;
    }
    return false;
}

// What the runtime's parser says about the condition in the patrol project.
std::string parserMessage(const kirogen::model::Project& project, const std::string& condition)
{
    try {
        kirogen::sim::condition::ConditionParser(condition, [&project](const std::string& name) {
            return std::shared_ptr<const kirogen::model::Variable>(project.globalVariable(name));
        }).parse();
    } catch (const kirogen::sim::condition::ConditionError& e) {
        return e.what();
    }
    return {};
}

// Runs the handler on the next modal dialog once it is shown: armed before the action that opens it.
void whenDialogOpens(std::function<void(QDialog*)> handler)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, handler] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        handler(dialog);
    });
    timer->start();
}

} // namespace

// A sequence chart editor on the patrol project, opened as the workbench opens a project.
class SfcEditor : public ::testing::Test
{
protected:
    void SetUp() override { open(LUMLINK_TEST_DATA "/patrol.tkp2"); }

    void open(const QString& file)
    {
        projecttest::loadSystem();
        view.reset();
        document.reset();
        project = std::make_unique<lumlink::project::Project>(projecttest::fromFile(file.toStdString()),
                                                              QFileInfo(file));
        document = std::make_unique<lumlink::sfc::ChartDocument>(project.get(), "Patrol");
        view = std::make_unique<lumlink::sfc::SFCView>(document.get());
        view->resize(900, 600);
        view->show();
        view->setTransform(QTransform());
        view->centerOn(QPointF(300, 200));
    }

    std::shared_ptr<const SfcModel> chart() const { return document->chart(); }
    QUndoStack* stack() const { return project->undoStack(); }
    StepItem* step(const std::string& name) const { return view->chartScene()->stepItem(name); }
    QPointF middleOf(const std::string& name) const { return step(name)->mapToScene(QPointF(40, 15)); }
    QPoint at(const QPointF& scenePoint) const { return view->mapFromScene(scenePoint); }

    void click(const QPointF& scenePoint, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, at(scenePoint));
    }

    void doubleClick(const QPointF& scenePoint)
    {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at(scenePoint));
    }

    // QTest's mouseMove carries no buttons: a drag is sent as the events a real one makes.
    void drag(const QPointF& from, const QPointF& to)
    {
        QWidget* viewport = view->viewport();
        const QPoint start = at(from);
        const QPoint end = at(to);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        for (int i = 1; i <= 4; ++i) {
            const QPoint point = start + (end - start) * i / 4;
            QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
    }

    // Triggers the entry of the context menu at the scene point; false when the menu lacks it.
    bool fromMenu(const QPointF& scenePoint, const char* action)
    {
        const std::unique_ptr<QMenu> menu(view->createContextMenu(at(scenePoint)));
        auto* entry = menu->findChild<QAction*>(action);
        if (!entry || !entry->isEnabled())
            return false;
        entry->trigger();
        return true;
    }

    std::unique_ptr<lumlink::project::Project> project;
    std::unique_ptr<lumlink::sfc::ChartDocument> document;
    std::unique_ptr<lumlink::sfc::SFCView> view;
};

TEST_F(SfcEditor, showsStepsWhereTheChartPlacesThemAndJoinsThemByTransitions)
{
    const auto steps = itemsOf<StepItem>(*view->scene());
    ASSERT_EQ(steps.size(), 2);
    const auto* wait = step("Wait");
    const auto* drive = step("Drive");
    EXPECT_TRUE(wait->step().initial);
    EXPECT_FALSE(drive->step().initial);
    EXPECT_EQ(wait->pos(), QPointF(100, 40));
    EXPECT_EQ(drive->pos(), QPointF(100, 160));

    const auto transitions = itemsOf<TransitionItem>(*view->scene());
    ASSERT_EQ(transitions.size(), 2);
    for (const auto* transition : transitions) {
        const bool forward = transition->transition().from == "Wait";
        const auto* from = forward ? wait : drive;
        const auto* to = forward ? drive : wait;
        EXPECT_EQ(transition->path().pointAtPercent(0), from->bottom());
        EXPECT_EQ(transition->path().pointAtPercent(1), to->top());
        // The bar sits on the wire below the step it leaves.
        EXPECT_EQ(transition->barCentre().x(), from->bottom().x());
        EXPECT_GT(transition->barCentre().y(), from->bottom().y());
        QPainterPathStroker wire;
        wire.setWidth(2);
        EXPECT_TRUE(wire.createStroke(transition->path()).contains(transition->barCentre()));
        if (!forward) {
            // The way back runs left of both steps instead of through them.
            EXPECT_LT(transition->path().boundingRect().left(), wait->sceneBoundingRect().left());
        }
    }

    view->zoomIn();
    view->zoomIn();
    view->fit();
    const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
    EXPECT_TRUE(shown.contains(view->chartScene()->chartRect().adjusted(20, 20, -20, -20)));
}

// Transitions leaving one step, down and back up, each cross their own wire at their own
// height: their conditions never print over one another.
TEST_F(SfcEditor, transitionsLeavingOneStepKeepTheirBarsApart)
{
    const std::string below = document->addStep(Position{100, 400});
    const std::string beside = document->addStep(Position{300, 40});
    ASSERT_TRUE(document->addTransition("Drive", below));
    ASSERT_TRUE(document->addTransition("Drive", beside));
    const auto* drive = step("Drive");
    std::vector<const TransitionItem*> leaving;
    for (const auto* transition : itemsOf<TransitionItem>(*view->scene())) {
        if (transition->transition().from == "Drive")
            leaving.push_back(transition);
    }
    ASSERT_EQ(leaving.size(), 3u);
    QPainterPathStroker wire;
    wire.setWidth(2);
    for (std::size_t i = 0; i < leaving.size(); ++i) {
        EXPECT_GT(leaving[i]->barCentre().y(), drive->bottom().y());
        EXPECT_TRUE(wire.createStroke(leaving[i]->path()).contains(leaving[i]->barCentre()));
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_GE(std::abs(leaving[i]->barCentre().y() - leaving[j]->barCentre().y()), 16)
                << leaving[i]->transition().to << " and " << leaving[j]->transition().to;
    }
}

TEST_F(SfcEditor, placeLinkMoveAndDeleteAreStepsThatUndoAndRedo)
{
    ASSERT_FALSE(project->isModified());

    // Place: a step where the menu was opened, snapped to the grid.
    ASSERT_TRUE(fromMenu(QPointF(323, 287), "addStepAction"));
    ASSERT_NE(chart()->step("Step1"), nullptr);
    EXPECT_EQ(chart()->step("Step1")->position, (Position{320, 290}));
    EXPECT_FALSE(chart()->step("Step1")->initial);
    ASSERT_NE(step("Step1"), nullptr);
    EXPECT_EQ(stack()->count(), 1);
    EXPECT_TRUE(project->isModified());
    stack()->undo();
    EXPECT_EQ(chart()->step("Step1"), nullptr);
    EXPECT_EQ(step("Step1"), nullptr);
    EXPECT_FALSE(project->isModified());
    stack()->redo();
    ASSERT_NE(step("Step1"), nullptr);
    EXPECT_TRUE(project->isModified());

    // Link: from Drive's handle onto the new step.
    drag(step("Drive")->bottom(), middleOf("Step1"));
    ASSERT_TRUE(hasTransition(*chart(), "Drive", "Step1"));
    EXPECT_EQ(chart()->transitions().back().condition, "true");
    EXPECT_EQ(stack()->count(), 2);
    ASSERT_EQ(view->chartScene()->transitionItems().size(), 3);
    EXPECT_EQ(view->chartScene()->transitionItems().back()->path().pointAtPercent(1), step("Step1")->top());
    stack()->undo();
    EXPECT_FALSE(hasTransition(*chart(), "Drive", "Step1"));
    EXPECT_EQ(view->chartScene()->transitionItems().size(), 2);
    stack()->redo();
    EXPECT_TRUE(hasTransition(*chart(), "Drive", "Step1"));
    // A second link between the same steps is refused with the reason.
    QSignalSpy status(view.get(), &lumlink::sfc::SFCView::statusMessage);
    drag(step("Drive")->bottom(), middleOf("Step1"));
    EXPECT_EQ(stack()->count(), 2);
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.first().first().toString().contains("Step1"));

    // Move: two selected steps dragged together are one step, snapped, and their wires follow.
    click(middleOf("Wait"));
    click(middleOf("Drive"), Qt::ControlModifier);
    ASSERT_FALSE(view->model().isSelectionEmpty());
    drag(middleOf("Drive"), middleOf("Drive") + QPointF(43, 61));
    EXPECT_EQ(stack()->count(), 3);
    EXPECT_EQ(chart()->step("Wait")->position, (Position{140, 100}));
    EXPECT_EQ(chart()->step("Drive")->position, (Position{140, 220}));
    EXPECT_EQ(chart()->step("Step1")->position, (Position{320, 290}));
    for (const auto* transition : view->chartScene()->transitionItems()) {
        EXPECT_EQ(transition->path().pointAtPercent(0), step(transition->transition().from)->bottom());
        EXPECT_EQ(transition->path().pointAtPercent(1), step(transition->transition().to)->top());
    }
    stack()->undo();
    EXPECT_EQ(chart()->step("Wait")->position, (Position{100, 40}));
    EXPECT_EQ(step("Drive")->pos(), QPointF(100, 160));
    stack()->redo();
    EXPECT_EQ(step("Drive")->pos(), QPointF(140, 220));

    // Delete: a step takes its transitions along, in one step.
    click(middleOf("Step1"));
    QTest::keyClick(view->viewport(), Qt::Key_Delete);
    EXPECT_EQ(chart()->step("Step1"), nullptr);
    EXPECT_FALSE(hasTransition(*chart(), "Drive", "Step1"));
    EXPECT_EQ(step("Step1"), nullptr);
    EXPECT_EQ(stack()->count(), 4);
    stack()->undo();
    EXPECT_NE(chart()->step("Step1"), nullptr);
    EXPECT_TRUE(hasTransition(*chart(), "Drive", "Step1"));
    EXPECT_EQ(view->chartScene()->transitionItems().size(), 3);
    stack()->redo();
    EXPECT_EQ(chart()->steps().size(), 2u);

    // The initial step cannot go: the chart would have nowhere to start.
    status.clear();
    view->selectAll();
    view->deleteSelection();
    EXPECT_EQ(chart()->steps().size(), 2u);
    EXPECT_EQ(stack()->count(), 4);
    EXPECT_EQ(status.count(), 1);
    // A transition alone goes from its context menu.
    view->clearSelection();
    const QPointF bar = view->chartScene()->transitionItems().front()->barCentre();
    ASSERT_TRUE(fromMenu(bar, "deleteAction"));
    EXPECT_EQ(chart()->transitions().size(), 1u);

    while (stack()->canUndo())
        stack()->undo();
    EXPECT_FALSE(project->isModified());
    EXPECT_EQ(chart()->steps().size(), 2u);
    EXPECT_EQ(chart()->transitions().size(), 2u);
    EXPECT_EQ(chart()->step("Drive")->position, (Position{100, 160}));
}

TEST_F(SfcEditor, rubberBandAndSelectAllSelectWhatTheyCover)
{
    EXPECT_TRUE(view->model().isSelectionEmpty());
    // From the empty chart left above Wait to right below Drive: both steps and the wire between.
    drag(QPointF(60, 20), QPointF(260, 230));
    EXPECT_TRUE(step("Wait")->isSelected());
    EXPECT_TRUE(step("Drive")->isSelected());
    EXPECT_FALSE(view->model().isSelectionEmpty());
    EXPECT_EQ(stack()->count(), 0);
    click(QPointF(500, 400));
    EXPECT_TRUE(view->model().isSelectionEmpty());
    QTest::keyClick(view->viewport(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view->scene()->selectedItems().size(), 4);
}

TEST_F(SfcEditor, aConditionTheParserRefusesNeverReachesTheModel)
{
    const std::string bad = "distance >= && bumped";
    const std::string expected = parserMessage(*project->kirogenProject(), bad);
    ASSERT_FALSE(expected.empty());

    QSignalSpy status(view.get(), &lumlink::sfc::SFCView::statusMessage);
    EXPECT_FALSE(document->setCondition(0, bad));
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.first().first().toString().contains(QString::fromStdString(expected)));
    EXPECT_EQ(stack()->count(), 0);
    // An unknown variable is the parser's refusal too.
    EXPECT_FALSE(document->setCondition(0, "speed > 1"));
    EXPECT_EQ(chart()->transitions()[0].condition, "t >= 1 && distance >= 0.5 && !bumped");

    // In the dialog: OK waits for a condition the parser takes.
    QString shownMessage;
    bool okWhileBad = true;
    whenDialogOpens([&](QDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("condition");
        auto* message = dialog->findChild<QLabel*>("conditionMessage");
        auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        edit->clear();
        QTest::keyClicks(edit, QString::fromStdString(bad));
        shownMessage = message->text();
        okWhileBad = ok->isEnabled();
        edit->clear();
        QTest::keyClicks(edit, "distance > 1 || t > 5");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    doubleClick(view->chartScene()->transitionItems().front()->barCentre() + QPointF(30, 0));
    EXPECT_EQ(shownMessage.toStdString(), expected);
    EXPECT_FALSE(okWhileBad);
    EXPECT_EQ(chart()->transitions()[0].condition, "distance > 1 || t > 5");
    EXPECT_EQ(stack()->count(), 1);
    EXPECT_TRUE(project->isModified());
    stack()->undo();
    EXPECT_EQ(chart()->transitions()[0].condition, "t >= 1 && distance >= 0.5 && !bumped");
    EXPECT_EQ(view->chartScene()->transitionItems().front()->transition().condition,
              "t >= 1 && distance >= 0.5 && !bumped");
}

TEST_F(SfcEditor, doubleClickingAStepWithoutDiagramMakesOneInOneStep)
{
    QSignalSpy requested(view.get(), &lumlink::sfc::SFCView::diagramRequested);
    QSignalSpy added(project.get(), &lumlink::project::Project::programAdded);
    // A step that runs a diagram opens it and changes nothing.
    doubleClick(middleOf("Wait"));
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.takeFirst().first().toString(), "stop");
    EXPECT_EQ(stack()->count(), 0);

    ASSERT_TRUE(fromMenu(QPointF(400, 300), "addStepAction"));
    // Named like a diagram already there, through the step's dialog: the new diagram's name
    // must differ.
    whenDialogOpens([](QDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("stepName");
        name->selectAll();
        QTest::keyClicks(name, "drive");
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    ASSERT_TRUE(fromMenu(middleOf("Step1"), "editStepAction"));
    ASSERT_NE(chart()->step("drive"), nullptr);
    EXPECT_EQ(stack()->count(), 2);

    doubleClick(middleOf("drive"));
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.first().first().toString(), "drive_2");
    EXPECT_EQ(chart()->step("drive")->diagram, "drive_2");
    ASSERT_NE(project->kirogenProject()->diagram("drive_2"), nullptr);
    EXPECT_TRUE(project->kirogenProject()->diagram("drive_2")->blocks().empty());
    EXPECT_EQ(added.count(), 1);
    EXPECT_EQ(stack()->count(), 3);

    stack()->undo();
    EXPECT_EQ(project->kirogenProject()->diagram("drive_2"), nullptr);
    EXPECT_TRUE(chart()->step("drive")->diagram.empty());
    EXPECT_EQ(step("drive")->step().diagram, "");
    stack()->redo();
    EXPECT_NE(project->kirogenProject()->diagram("drive_2"), nullptr);
    EXPECT_EQ(chart()->step("drive")->diagram, "drive_2");
}

TEST_F(SfcEditor, anEditedChartSavedAndReopenedIsTheSameChart)
{
    ASSERT_TRUE(fromMenu(QPointF(300, 300), "addStepAction"));
    ASSERT_TRUE(fromMenu(middleOf("Step1"), "appendStepAction"));
    ASSERT_NE(chart()->step("Step2"), nullptr);
    EXPECT_TRUE(hasTransition(*chart(), "Step1", "Step2"));
    drag(step("Drive")->bottom(), middleOf("Step1"));
    ASSERT_TRUE(document->setCondition(2, "bumped && t > 2.5"));
    ASSERT_TRUE(fromMenu(middleOf("Drive"), "initialStepAction"));
    EXPECT_TRUE(chart()->step("Drive")->initial);
    EXPECT_FALSE(chart()->step("Wait")->initial);
    ASSERT_TRUE(document->editStep("Step2", "Reverse", "stop"));
    EXPECT_TRUE(hasTransition(*chart(), "Step1", "Reverse"));
    const SfcModel edited = *chart();

    QTemporaryDir folder;
    const QString file = folder.filePath("edited.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    EXPECT_FALSE(project->isModified());
    open(file);
    const auto reopened = chart();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->steps(), edited.steps());
    EXPECT_EQ(reopened->transitions(), edited.transitions());
    EXPECT_EQ(itemsOf<StepItem>(*view->scene()).size(), 4);
    EXPECT_EQ(view->chartScene()->transitionItems().size(), 4);
    EXPECT_TRUE(step("Drive")->step().initial);
}

TEST_F(SfcEditor, aLockedProjectIsShownButNotEdited)
{
    ASSERT_TRUE(project->setPassword("Geheim 42"));
    QTemporaryDir folder;
    const QString file = folder.filePath("locked.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    open(file);
    ASSERT_TRUE(project->isLocked());
    ASSERT_TRUE(view->model().isProtected());
    const std::string before = project->kirogenProject()->toXml();

    EXPECT_FALSE(fromMenu(QPointF(400, 300), "addStepAction"));
    EXPECT_FALSE(fromMenu(middleOf("Drive"), "editStepAction"));
    EXPECT_FALSE(fromMenu(middleOf("Drive"), "initialStepAction"));
    drag(middleOf("Drive"), middleOf("Drive") + QPointF(80, 80));
    drag(step("Wait")->bottom(), middleOf("Drive") + QPointF(80, 80));
    click(middleOf("Drive"));
    EXPECT_FALSE(view->model().isSelectionEmpty());
    QTest::keyClick(view->viewport(), Qt::Key_Delete);
    EXPECT_FALSE(document->setCondition(0, "true"));
    EXPECT_FALSE(document->moveSteps({{"Wait", Position{0, 0}}}));
    EXPECT_EQ(step("Drive")->pos(), QPointF(100, 160));
    EXPECT_EQ(stack()->count(), 0);
    EXPECT_FALSE(project->isModified());
    EXPECT_EQ(project->kirogenProject()->toXml(), before);

    // Opening a step's diagram is no edit; scrolling and zooming still work.
    QSignalSpy requested(view.get(), &lumlink::sfc::SFCView::diagramRequested);
    doubleClick(middleOf("Drive"));
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.first().first().toString(), "drive");
    const double zoom = view->zoom();
    view->zoomIn();
    EXPECT_GT(view->zoom(), zoom);

    ASSERT_TRUE(project->validatePassword("Geheim 42"));
    EXPECT_TRUE(fromMenu(QPointF(400, 300), "addStepAction"));
    EXPECT_EQ(stack()->count(), 1);
}
