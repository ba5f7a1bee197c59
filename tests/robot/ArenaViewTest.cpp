#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <robot/ControllerLink.h>
#include <robot/Simulation.h>
#include <robot/window/ArenaView.h>
#include <robot/window/RobotWindow.h>
#include <cmath>

using robot::Pose;
using robot::Simulation;
using robot::window::ArenaView;

namespace {

constexpr double Pi = 3.14159265358979323846;

robot::Arena room()
{
    robot::Arena arena;
    arena.setName(QStringLiteral("Test room"));
    arena.addWall({{0, 0}, {4, 0}});
    arena.addWall({{4, 0}, {4, 3}});
    arena.addWall({{4, 3}, {0, 3}});
    arena.addWall({{0, 3}, {0, 0}});
    arena.addBox({2, 1, 1, 1});
    arena.setStart({0.5, 1.5, 0});
    return arena;
}

// In a view of 420 x 320 pixels the 4 m x 3 m room is drawn at 96 pixels per metre, 18 px
// from the left and 16 px from the top, with y pointing up.
QPoint pixel(double x, double y)
{
    return QPoint(static_cast<int>(std::lround(18 + 96 * x)),
                  static_cast<int>(std::lround(16 + 96 * (3 - y))));
}

class ArenaViewTest : public ::testing::Test
{
protected:
    ArenaViewTest() : simulation(room(), &link), view(&simulation) { view.resize(420, 320); }

    robot::ControllerLink link;
    Simulation simulation;
    ArenaView view;
};

TEST_F(ArenaViewTest, AClickPlacesTheRobotAndADragTurnsIt)
{
    QSignalSpy placed(&view, &ArenaView::robotPlaced);
    QTest::mousePress(&view, Qt::LeftButton, {}, pixel(1, 2.5));
    EXPECT_NEAR(simulation.robot().pose().x, 1, 0.01);
    EXPECT_NEAR(simulation.robot().pose().y, 2.5, 0.01);
    // Dragged straight down, the robot faces -y.
    // QTest::mouseMove carries no pressed button: the drag's move is sent as the mouse does.
    QMouseEvent drag(QEvent::MouseMove, pixel(1, 1.5), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drag);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, pixel(1, 1.5));
    EXPECT_NEAR(simulation.robot().pose().heading, -Pi / 2, 0.02);
    EXPECT_NEAR(simulation.robot().pose().x, 1, 0.01);
    ASSERT_EQ(placed.size(), 1);
    // Facing the bottom wall from y = 2.5: 2.4 m, beyond the sensor's range; the left sensor
    // faces the right wall 3 m away, the right one the left wall at 1 m less the radius.
    EXPECT_NEAR(simulation.robot().readings().right, 0.9, 0.02);
}

TEST_F(ArenaViewTest, TheRobotIsNotPutDownWhereItWouldOverlapAWall)
{
    QSignalSpy refused(&view, &ArenaView::placeRefused);
    QSignalSpy placed(&view, &ArenaView::robotPlaced);
    // Inside the obstacle, on the outer wall, and outside the room.
    QTest::mouseClick(&view, Qt::LeftButton, {}, pixel(2.5, 1.5));
    QTest::mouseClick(&view, Qt::LeftButton, {}, pixel(3.95, 0.5));
    QTest::mouseClick(&view, Qt::LeftButton, {}, pixel(4.1, 1.5));
    EXPECT_EQ(refused.size(), 3);
    EXPECT_EQ(placed.size(), 0);
    EXPECT_EQ(simulation.robot().pose().x, 0.5);
    EXPECT_EQ(simulation.robot().pose().y, 1.5);
}

TEST(RobotWindow, ResetBringsTheRobotBackToTheStartAndLogsIt)
{
    robot::ControllerLink link;
    Simulation simulation(room(), &link);
    robot::window::RobotWindow window(&simulation, QStringLiteral("test.arena"));
    EXPECT_EQ(window.windowTitle(), "Virtual robot - Test room");
    ASSERT_TRUE(simulation.place({3.5, 2.5, Pi}));
    QAction* reset = nullptr;
    QAction* pause = nullptr;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->text() == "Reset")
            reset = action;
        if (action->text() == "Pause")
            pause = action;
    }
    ASSERT_TRUE(reset && pause);
    reset->trigger();
    EXPECT_EQ(simulation.robot().pose().x, 0.5);
    EXPECT_EQ(simulation.robot().pose().heading, 0);
    pause->trigger();
    EXPECT_TRUE(simulation.isPaused());
    auto* log = window.findChild<QPlainTextEdit*>();
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->toPlainText().contains("Back at the start, x 0.500 m, y 1.500 m, heading 0.0°."));
    EXPECT_TRUE(log->toPlainText().contains("Paused at x 0.500 m"));
    // Every control can be found by its accessible name.
    for (QWidget* widget :
         {static_cast<QWidget*>(window.findChild<ArenaView*>()), static_cast<QWidget*>(log)})
        EXPECT_FALSE(widget->accessibleName().isEmpty());
}

} // namespace
