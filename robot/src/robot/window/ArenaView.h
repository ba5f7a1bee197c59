#pragma once

#include <QPointF>
#include <QTransform>
#include <QWidget>
#include <robot/Pose.h>
#include <robot/Vector.h>

namespace robot {
class Simulation;
}

namespace robot::window {

// The arena seen from above: floor with a half-metre grid, walls and obstacles, the path
// driven, the robot with its wheels, and each sensor's ray with its value. A click puts the
// robot down there; dragging on turns it towards the pointer.
class ArenaView : public QWidget
{
    Q_OBJECT

public:
    explicit ArenaView(Simulation* simulation, QWidget* parent = nullptr);

    QSize sizeHint() const override;

signals:
    void robotPlaced(const robot::Pose& pose);
    void placeRefused();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // From arena metres (y up) to widget pixels (y down), fitted to the widget.
    QTransform toWidget() const;
    Vector toArena(const QPointF& point) const;
    void paintFloor(QPainter& painter, const QTransform& transform) const;
    void paintWalls(QPainter& painter, const QTransform& transform) const;
    void paintPath(QPainter& painter, const QTransform& transform) const;
    void paintRays(QPainter& painter, const QTransform& transform) const;
    void paintRobot(QPainter& painter, const QTransform& transform) const;

    Simulation* _simulation;
    bool _placing = false;
    bool _placed = false;
    Vector _placedAt;
};

} // namespace robot::window
