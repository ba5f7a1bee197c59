#include "SdfEditorFixture.h"

#include <lumlink/sdf/LinkItem.h>
#include <QSignalSpy>
#include <algorithm>

using kirogen::model::DataLink;
using kirogen::model::Position;

namespace {

DataLink link(const std::string& fromBlock, const std::string& fromPort, const std::string& toBlock,
              const std::string& toPort)
{
    return DataLink{fromBlock, fromPort, toBlock, toPort, 0};
}

bool hasLink(const kirogen::model::FunctionBlockDiagram& diagram, const DataLink& wanted)
{
    return std::find(diagram.links().begin(), diagram.links().end(), wanted) != diagram.links().end();
}

} // namespace

TEST_F(SdfEditorFixture, itemsMirrorTheDiagramAndWiresJoinTheirPorts)
{
    ASSERT_EQ(diagram()->blocks().size(), 10u);
    for (const auto& block : diagram()->blocks()) {
        ASSERT_NE(item(block.id), nullptr) << block.id;
        EXPECT_EQ(item(block.id)->pos(), QPointF(block.position.x, block.position.y)) << block.id;
    }
    const auto links = view->diagramScene()->linkItems();
    ASSERT_EQ(links.size(), 9);
    for (const auto* wire : links) {
        const QPainterPath path = wire->path();
        EXPECT_EQ(path.pointAtPercent(0), portOf(wire->link().fromBlock, wire->link().fromPort));
        EXPECT_EQ(path.pointAtPercent(1), portOf(wire->link().toBlock, wire->link().toPort));
    }
    // Inputs on the left edge, outputs on the right.
    EXPECT_EQ(portOf("sum", "a").x(), item("sum")->pos().x());
    EXPECT_EQ(portOf("sum", "out").x(), item("sum")->pos().x() + lumlink::sdf::BlockItem::Width);
    EXPECT_LT(portOf("sum", "a").y(), portOf("sum", "b").y());
}

TEST_F(SdfEditorFixture, draggingSelectedBlocksIsOneStepAndWiresFollow)
{
    const Position sumAt = block("sum").position;
    const Position twoAt = block("two").position;
    click(headerOf("sum"));
    click(headerOf("two"), Qt::ControlModifier);
    ASSERT_FALSE(view->model().isSelectionEmpty());

    drag(headerOf("sum"), headerOf("sum") + QPointF(43, 61));

    ASSERT_EQ(stack.count(), 1);
    // The grid (10) snaps the 43/61 offset to 40/60.
    EXPECT_EQ(block("sum").position, (Position{sumAt.x + 40, sumAt.y + 60}));
    EXPECT_EQ(block("two").position, (Position{twoAt.x + 40, twoAt.y + 60}));
    for (const auto* wire : view->diagramScene()->linkItems()) {
        if (wire->link().fromBlock == "sum") {
            EXPECT_EQ(wire->path().pointAtPercent(0), portOf("sum", "out"));
        }
    }

    stack.undo();
    EXPECT_EQ(block("sum").position, sumAt);
    EXPECT_EQ(block("two").position, twoAt);
    EXPECT_EQ(item("sum")->pos(), QPointF(sumAt.x, sumAt.y));
    stack.redo();
    EXPECT_EQ(block("two").position, (Position{twoAt.x + 40, twoAt.y + 60}));
    EXPECT_EQ(item("two")->pos(), QPointF(twoAt.x + 40, twoAt.y + 60));
}

TEST_F(SdfEditorFixture, arrowKeysNudgeTheSelectionAsOneStep)
{
    const Position sumAt = block("sum").position;
    const Position twoAt = block("two").position;
    click(headerOf("sum"));
    click(headerOf("two"), Qt::ControlModifier);
    QTest::keyClick(view->viewport(), Qt::Key_Right);
    QTest::keyClick(view->viewport(), Qt::Key_Right);
    QTest::keyClick(view->viewport(), Qt::Key_Down);
    EXPECT_EQ(block("sum").position, (Position{sumAt.x + 20, sumAt.y + 10}));
    EXPECT_EQ(block("two").position, (Position{twoAt.x + 20, twoAt.y + 10}));
    EXPECT_EQ(item("two")->pos(), QPointF(twoAt.x + 20, twoAt.y + 10));
    ASSERT_EQ(stack.count(), 1);

    // Another selection starts a step of its own.
    click(headerOf("halve"));
    QTest::keyClick(view->viewport(), Qt::Key_Left);
    EXPECT_EQ(stack.count(), 2);

    stack.undo();
    stack.undo();
    EXPECT_EQ(block("sum").position, sumAt);
    EXPECT_EQ(block("two").position, twoAt);
}

TEST_F(SdfEditorFixture, placingAndLinkingAreUndoneAndRedone)
{
    ASSERT_TRUE(view->placeBlock("add", QPointF(603, 298)));
    ASSERT_NE(diagram()->block("add1"), nullptr);
    EXPECT_EQ(block("add1").position, (Position{600, 300}));
    QCoreApplication::processEvents();

    drag(portOf("two", "out"), portOf("add1", "a"));
    const DataLink added = link("two", "out", "add1", "a");
    ASSERT_TRUE(hasLink(*diagram(), added));
    EXPECT_EQ(view->diagramScene()->linkItems().size(), 10);
    EXPECT_EQ(stack.count(), 2);
    // The edited project still saves and reads back with the new block and link.
    EXPECT_TRUE(hasLink(*reloaded()->diagram("count"), added));

    stack.undo();
    EXPECT_FALSE(hasLink(*diagram(), added));
    EXPECT_EQ(view->diagramScene()->linkItems().size(), 9);
    stack.undo();
    EXPECT_EQ(diagram()->block("add1"), nullptr);
    EXPECT_EQ(item("add1"), nullptr);
    stack.redo();
    stack.redo();
    EXPECT_TRUE(hasLink(*diagram(), added));
    EXPECT_NE(item("add1"), nullptr);
}

TEST_F(SdfEditorFixture, refusedLinksLeaveModelAndStackAlone)
{
    QSignalSpy messages(view.get(), &lumlink::sdf::SDFView::statusMessage);
    const auto before = diagram();

    // "sum.a" is fed already.
    drag(portOf("hundred", "out"), portOf("sum", "a"));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.takeFirst().at(0).toString().contains("more than one link"));

    // A loop without a delay block.
    ASSERT_TRUE(view->placeBlock("add", QPointF(600, 300)));
    QCoreApplication::processEvents();
    const auto withBlock = diagram();
    drag(portOf("add1", "out"), portOf("add1", "a"));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.takeFirst().at(0).toString().contains("delay"));
    EXPECT_EQ(diagram(), withBlock);
    EXPECT_EQ(stack.count(), 1);

    // An output dropped on an output is no link either.
    drag(portOf("two", "out"), portOf("hundred", "out"));
    EXPECT_EQ(diagram(), withBlock);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.takeFirst().at(0).toString(), "A link ends on an input port");

    // The same loop through a delay is a sound program.
    ASSERT_TRUE(view->placeBlock("delay", QPointF(440, 320)));
    QCoreApplication::processEvents();
    drag(portOf("add1", "out"), portOf("delay1", "in"));
    drag(portOf("delay1", "out"), portOf("add1", "a"));
    EXPECT_TRUE(hasLink(*diagram(), link("delay1", "out", "add1", "a")));
    EXPECT_EQ(stack.count(), 4);
    stack.setIndex(0);
    EXPECT_EQ(diagram()->blocks(), before->blocks());
    EXPECT_EQ(diagram()->links(), before->links());
}

TEST_F(SdfEditorFixture, anUndoWhileALinkIsDraggedDropsTheWireOfTheBlockItTakesAway)
{
    ASSERT_TRUE(view->placeBlock("add", QPointF(600, 300)));
    QCoreApplication::processEvents();
    const auto before = diagram();
    QWidget* viewport = view->viewport();
    const QPoint start = viewportPoint(portOf("add1", "out"));
    const QPoint end = viewportPoint(portOf("sum", "b"));
    const auto wires = [this] {
        const QList<QGraphicsItem*> items = view->diagramScene()->items();
        return std::count_if(items.begin(), items.end(), [](QGraphicsItem* item) {
            return dynamic_cast<QGraphicsPathItem*>(item) && !dynamic_cast<lumlink::sdf::LinkItem*>(item);
        });
    };
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, (start + end) / 2, viewport->mapToGlobal((start + end) / 2),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(wires(), 1);

    // The block the wire starts at goes: so does the wire, and the release links nothing.
    stack.undo();
    EXPECT_EQ(item("add1"), nullptr);
    EXPECT_EQ(wires(), 0);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
    EXPECT_EQ(wires(), 0);
    EXPECT_EQ(diagram()->links().size(), before->links().size());
    EXPECT_TRUE(stack.canRedo());
    stack.redo();
    EXPECT_EQ(diagram()->blocks(), before->blocks());
}

TEST_F(SdfEditorFixture, deletingABlockTakesItsLinksAndUndoRestoresTheOrder)
{
    const auto before = diagram();
    click(headerOf("halve"));
    QTest::keyClick(view->viewport(), Qt::Key_Delete);

    ASSERT_EQ(diagram()->block("halve"), nullptr);
    EXPECT_EQ(diagram()->links().size(), 6u);
    EXPECT_EQ(item("halve"), nullptr);
    EXPECT_EQ(view->diagramScene()->linkItems().size(), 6);
    EXPECT_EQ(reloaded()->diagram("count")->blocks().size(), 9u);

    stack.undo();
    EXPECT_EQ(diagram()->blocks(), before->blocks());
    EXPECT_EQ(diagram()->links(), before->links());
    EXPECT_EQ(view->diagramScene()->linkItems().size(), 9);
    stack.redo();
    EXPECT_EQ(diagram()->block("halve"), nullptr);

    // A link alone, picked on its wire.
    stack.undo();
    const auto wires = view->diagramScene()->linkItems();
    const auto wire = std::find_if(wires.begin(), wires.end(), [](const lumlink::sdf::LinkItem* item) {
        return item->link() == link("two", "out", "halve", "b");
    });
    ASSERT_NE(wire, wires.end());
    view->diagramScene()->clearSelection();
    click((*wire)->path().pointAtPercent(0.5));
    QTest::keyClick(view->viewport(), Qt::Key_Delete);
    EXPECT_FALSE(hasLink(*diagram(), link("two", "out", "halve", "b")));
    EXPECT_NE(diagram()->block("halve"), nullptr);
    EXPECT_EQ(diagram()->links().size(), 8u);
}

TEST_F(SdfEditorFixture, aProtectedProjectIsReadOnly)
{
    bool locked = true;
    document->setProtectionCheck([&locked] { return locked; });
    const auto before = diagram();
    EXPECT_TRUE(view->model().isProtected());

    drag(headerOf("sum"), headerOf("sum") + QPointF(100, 100));
    click(headerOf("halve"));
    QTest::keyClick(view->viewport(), Qt::Key_Delete);
    drag(portOf("hundred", "out"), portOf("sum", "a"));
    EXPECT_FALSE(view->placeBlock("add", QPointF(600, 300)));

    EXPECT_EQ(diagram(), before);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_EQ(item("sum")->pos(), QPointF(block("sum").position.x, block("sum").position.y));
    // Looking stays possible.
    const double zoom = view->zoom();
    view->zoomIn();
    EXPECT_GT(view->zoom(), zoom);

    locked = false;
    EXPECT_FALSE(view->model().isProtected());
    drag(headerOf("sum"), headerOf("sum") + QPointF(100, 100));
    EXPECT_EQ(stack.count(), 1);
    EXPECT_TRUE(view->placeBlock("add", QPointF(600, 300)));
}
