#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/LinkItem.h>
#include <QPainter>
#include <QPainterPathStroker>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

namespace lumlink::sdf {

namespace {

constexpr double Stub = 14;
constexpr double Corner = 5;
// Below this scale wires are drawn as plain hairlines, as blocks are drawn plainly.
constexpr double SimpleDetail = 0.5;

QPainterPath rounded(const std::vector<QPointF>& points)
{
    QPainterPath path(points.front());
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const QPointF before = points[i] - points[i - 1];
        const QPointF after = points[i + 1] - points[i];
        const double in = std::hypot(before.x(), before.y());
        const double out = std::hypot(after.x(), after.y());
        const double radius = std::min({Corner, in / 2, out / 2});
        if (radius <= 0.01) {
            path.lineTo(points[i]);
            continue;
        }
        path.lineTo(points[i] - before / in * radius);
        path.quadTo(points[i], points[i] + after / out * radius);
    }
    path.lineTo(points.back());
    return path;
}

} // namespace

LinkItem::LinkItem(const kirogen::model::DataLink& link, BlockItem* from, BlockItem* to, const QColor& color)
    : _link(link), _from(from), _to(to), _color(color)
{
    setFlag(ItemIsSelectable);
    setZValue(-1);
    _from->attach(this);
    _to->attach(this);
    updatePath();
}

LinkItem::~LinkItem()
{
    _from->detach(this);
    _to->detach(this);
}

void LinkItem::updatePath()
{
    const QPointF output = _from->portScenePosition(_link.fromPort);
    const QPointF input = _to->portScenePosition(_link.toPort);
    if (_routed && output == _output && input == _input)
        return;
    _output = output;
    _input = input;
    _routed = true;
    setPath(route(output, input));
}

QPainterPath LinkItem::route(const QPointF& output, const QPointF& input)
{
    if (input.x() >= output.x() + 2 * Stub) {
        const double middle = std::round((output.x() + input.x()) / 2);
        return rounded({output, {middle, output.y()}, {middle, input.y()}, input});
    }
    // Backwards (a feedback loop): round the outside, between the two rows.
    const double between = std::abs(input.y() - output.y()) > 40 ? (output.y() + input.y()) / 2
                                                                 : std::max(output.y(), input.y()) + 40;
    return rounded({output,
                    {output.x() + Stub, output.y()},
                    {output.x() + Stub, between},
                    {input.x() - Stub, between},
                    {input.x() - Stub, input.y()},
                    input});
}

QRectF LinkItem::boundingRect() const
{
    // The path with room for the widest stroke (the selection's halo, the hit area). The base
    // class strokes the outline for it on every change of the path: for every wire of every
    // block in a drag.
    constexpr double Margin = 5;
    return path().controlPointRect().adjusted(-Margin, -Margin, Margin, Margin);
}

QPainterPath LinkItem::shape() const
{
    QPainterPathStroker stroker;
    stroker.setWidth(9);
    return stroker.createStroke(path());
}

void LinkItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const bool selected = option->state & QStyle::State_Selected;
    painter->setBrush(Qt::NoBrush);
    // Far out a wire is a hairline; smoothing it costs more than it shows.
    if (option->levelOfDetailFromTransform(painter->worldTransform()) < SimpleDetail) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(selected ? QColor(0x1e, 0x88, 0xe5) : _color, selected ? 2 : 0));
        painter->drawPath(path());
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing);
    if (selected) {
        painter->setPen(QPen(QColor(0x1e, 0x88, 0xe5, 90), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(path());
    }
    painter->setPen(QPen(_color, selected ? 2.5 : 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(path());
}

} // namespace lumlink::sdf
