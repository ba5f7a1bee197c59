#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <robot/Simulation.h>
#include <robot/window/ArenaView.h>
#include <cmath>

namespace robot::window {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Margin = 16; // px
constexpr double Grid = 0.5;  // m

const QColor Floor(0xfa, 0xf8, 0xf2);
const QColor GridLine(0xe4, 0xe0, 0xd6);
const QColor Wall(0x3b, 0x42, 0x52);
const QColor Obstacle(0x8a, 0x93, 0xa6);
const QColor PathColour(0x2f, 0x80, 0xed);
const QColor RayColour(0xf2, 0x99, 0x4a);
const QColor Body(0x27, 0xae, 0x60);
const QColor Pressed(0xeb, 0x57, 0x57);

QPointF point(Vector v)
{
    return {v.x, v.y};
}

} // namespace

ArenaView::ArenaView(Simulation* simulation, QWidget* parent) : QWidget(parent), _simulation(simulation)
{
    setMinimumSize(320, 240);
    setMouseTracking(false);
    setCursor(Qt::CrossCursor);
    connect(simulation, &Simulation::changed, this, qOverload<>(&QWidget::update));
}

QSize ArenaView::sizeHint() const
{
    return {800, 600};
}

QTransform ArenaView::toWidget() const
{
    const Arena& arena = _simulation->robot().arena();
    const Vector low = arena.lowerLeft();
    const Vector high = arena.upperRight();
    const double width = std::max(high.x - low.x, 1.0);
    const double height = std::max(high.y - low.y, 1.0);
    const double scale =
        std::min((this->width() - 2 * Margin) / width, (this->height() - 2 * Margin) / height);
    const double left = (this->width() - scale * width) / 2;
    const double top = (this->height() - scale * height) / 2;
    // Arena y grows upwards, the widget's downwards.
    return QTransform(scale, 0, 0, -scale, left - scale * low.x, top + scale * high.y);
}

Vector ArenaView::toArena(const QPointF& point) const
{
    const QPointF p = toWidget().inverted().map(point);
    return {p.x(), p.y()};
}

void ArenaView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    const QTransform transform = toWidget();
    paintFloor(painter, transform);
    paintPath(painter, transform);
    paintWalls(painter, transform);
    paintRays(painter, transform);
    paintRobot(painter, transform);
}

void ArenaView::paintFloor(QPainter& painter, const QTransform& transform) const
{
    const Arena& arena = _simulation->robot().arena();
    const Vector low = arena.lowerLeft();
    const Vector high = arena.upperRight();
    painter.fillRect(transform.mapRect(QRectF(point(low), point(high))), Floor);
    painter.setPen(QPen(GridLine, 1));
    for (double x = std::ceil(low.x / Grid) * Grid; x <= high.x; x += Grid)
        painter.drawLine(transform.map(QPointF(x, low.y)), transform.map(QPointF(x, high.y)));
    for (double y = std::ceil(low.y / Grid) * Grid; y <= high.y; y += Grid)
        painter.drawLine(transform.map(QPointF(low.x, y)), transform.map(QPointF(high.x, y)));
}

void ArenaView::paintWalls(QPainter& painter, const QTransform& transform) const
{
    const Arena& arena = _simulation->robot().arena();
    painter.setPen(QPen(Obstacle.darker(130), 2));
    painter.setBrush(Obstacle);
    for (const Arena::Box& box : arena.boxes())
        painter.drawRect(transform.mapRect(QRectF(box.x, box.y, box.width, box.height)));
    const double scale = transform.m11();
    painter.setPen(QPen(Wall, std::max(3.0, 0.03 * scale), Qt::SolidLine, Qt::RoundCap));
    for (const Segment& wall : arena.walls())
        painter.drawLine(transform.map(point(wall.a)), transform.map(point(wall.b)));
}

void ArenaView::paintPath(QPainter& painter, const QTransform& transform) const
{
    const auto& path = _simulation->path();
    if (path.size() < 2)
        return;
    QPolygonF line;
    line.reserve(static_cast<int>(path.size()));
    for (const Vector& v : path)
        line << transform.map(point(v));
    QColor colour = PathColour;
    colour.setAlpha(170);
    painter.setPen(QPen(colour, 2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
}

void ArenaView::paintRays(QPainter& painter, const QTransform& transform) const
{
    const Robot& robot = _simulation->robot();
    const auto rays = robot.rays();
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (const Robot::Ray& ray : rays) {
        const double length = (ray.to - ray.from).length();
        const QPointF from = transform.map(point(ray.from));
        const QPointF to = transform.map(point(ray.to));
        painter.setPen(QPen(RayColour, 1.5, Qt::DotLine));
        painter.drawLine(from, to);
        const bool inRange = length < Robot::sensorRange;
        if (inRange) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(RayColour);
            painter.drawEllipse(to, 4, 4);
        }
        const QString text =
            inRange ? tr("%1 m").arg(length, 0, 'f', 2) : tr("> %1 m").arg(Robot::sensorRange);
        QRectF box = painter.fontMetrics().boundingRect(text);
        box.adjust(-4, -2, 4, 2);
        // A short ray's value would hide the robot: it goes just past the wall instead.
        const QPointF along =
            QLineF(from, to).length() > 0 ? (to - from) / QLineF(from, to).length() : QPointF();
        box.moveCenter(QLineF(from, to).length() > 2 * box.width() ? (from + to) / 2
                                                                   : to + along * (box.width() / 2 + 6));
        box.moveTopLeft({std::clamp(box.left(), 0.0, width() - box.width()),
                         std::clamp(box.top(), 0.0, height() - box.height())});
        painter.setPen(QPen(RayColour.darker(120), 1));
        painter.setBrush(QColor(255, 255, 255, 225));
        painter.drawRoundedRect(box, 4, 4);
        painter.setPen(RayColour.darker(160));
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void ArenaView::paintRobot(QPainter& painter, const QTransform& transform) const
{
    const Robot& robot = _simulation->robot();
    const Pose& pose = robot.pose();
    const double scale = transform.m11();
    painter.save();
    painter.translate(transform.map(QPointF(pose.x, pose.y)));
    // Widget y points down: a counter-clockwise heading turns the other way here.
    painter.rotate(-pose.heading * 180 / Pi);
    painter.scale(scale, scale);

    const double r = Robot::radius;
    const QSizeF wheel(0.06, 0.025);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x22, 0x22, 0x22));
    // Rear wheels fixed, front wheels turned by the steering (positive to the left).
    for (const double side : {-1.0, 1.0}) {
        painter.drawRoundedRect(
            QRectF(QPointF(-0.055 - wheel.width() / 2, side * 0.09 - wheel.height() / 2), wheel), 0.008,
            0.008);
        painter.save();
        painter.translate(0.055, side * 0.09);
        painter.rotate(-robot.steering());
        painter.drawRoundedRect(QRectF(QPointF(-wheel.width() / 2, -wheel.height() / 2), wheel), 0.008,
                                0.008);
        painter.restore();
    }
    const QColor colour = robot.readings().bumper ? Pressed : Body;
    painter.setBrush(colour);
    painter.setPen(QPen(colour.darker(150), 0.012));
    painter.drawEllipse(QPointF(0, 0), r * 0.88, r * 0.88);
    // The bumper ring all round.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour.darker(robot.readings().bumper ? 110 : 170), 0.02));
    painter.drawEllipse(QPointF(0, 0), r - 0.01, r - 0.01);
    // Which way is forward.
    QPainterPath arrow;
    arrow.moveTo(0.07, 0);
    arrow.lineTo(-0.03, 0.04);
    arrow.lineTo(-0.01, 0);
    arrow.lineTo(-0.03, -0.04);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    painter.restore();
}

void ArenaView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Vector at = toArena(event->localPos());
    _placing = true;
    _placed = _simulation->place({at.x, at.y, _simulation->robot().pose().heading});
    _placedAt = at;
    if (!_placed)
        emit placeRefused();
}

void ArenaView::mouseMoveEvent(QMouseEvent* event)
{
    if (!_placing || !_placed)
        return;
    const Vector towards = toArena(event->localPos()) - _placedAt;
    if (towards.length() > 0.02)
        _simulation->place({_placedAt.x, _placedAt.y, std::atan2(towards.y, towards.x)});
}

void ArenaView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !_placing)
        return;
    _placing = false;
    if (_placed)
        emit robotPlaced(_simulation->robot().pose());
}

} // namespace robot::window
