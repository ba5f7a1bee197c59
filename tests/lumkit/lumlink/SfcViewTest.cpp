#include <kirogen/model/SfcModel.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QGraphicsScene>
#include <QPainterPathStroker>
#include <gtest/gtest.h>
#include <ProjectTestSupport.h>

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

} // namespace

TEST(SfcView, showsStepsWhereTheChartPlacesThemAndJoinsThemByTransitions)
{
    projecttest::loadSystem();
    const auto project = projecttest::fromFile(LUMLINK_TEST_DATA "/patrol.tkp2");
    lumlink::sfc::SFCView view(project->sfcModels().front());
    view.resize(600, 400);
    view.show();

    const auto steps = itemsOf<lumlink::sfc::StepItem>(*view.scene());
    ASSERT_EQ(steps.size(), 2);
    const auto* wait = steps[0]->step().name == "Wait" ? steps[0] : steps[1];
    const auto* drive = wait == steps[0] ? steps[1] : steps[0];
    EXPECT_TRUE(wait->step().initial);
    EXPECT_FALSE(drive->step().initial);
    EXPECT_EQ(wait->pos(), QPointF(100, 40));
    EXPECT_EQ(drive->pos(), QPointF(100, 160));

    const auto transitions = itemsOf<lumlink::sfc::TransitionItem>(*view.scene());
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

    view.zoomIn();
    view.zoomIn();
    view.fit();
    const QRectF shown = view.mapToScene(view.viewport()->rect()).boundingRect();
    EXPECT_TRUE(shown.contains(view.scene()->itemsBoundingRect()));
}
