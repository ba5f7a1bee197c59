#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QSet>
#include <QStyleOptionGraphicsItem>
#include <algorithm>

namespace lumlink::sfc {

namespace {

constexpr double BarHalfWidth = 12;
constexpr double Detour = 20;
// How wide around the wire a click still hits it.
constexpr double HitWidth = 8;

QFont conditionFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

} // namespace

TransitionItem::TransitionItem(const kirogen::model::SfcTransition& transition, std::size_t index,
                               StepItem* from, StepItem* to)
    : _transition(transition), _index(index), _from(from), _to(to)
{
    setZValue(-1);
    setFlag(ItemIsSelectable);
    setPen(QPen(QColor(0x37, 0x47, 0x4f), 1.5));
    _from->attach(this);
    _to->attach(this);
    // The other transitions leaving the step make room for this one.
    updateSiblings();
}

TransitionItem::~TransitionItem()
{
    _from->detach(this);
    _to->detach(this);
    updateSiblings();
}

void TransitionItem::updateSiblings()
{
    const QList<TransitionItem*> attached = _from->transitions();
    for (TransitionItem* transition : attached) {
        if (transition->_from == _from)
            transition->updatePath();
    }
}

// Transitions leaving the same step each take their own height below it, in chart order, so
// that their bars and conditions do not cover one another. Returns the place of this one and
// how many there are.
std::pair<std::size_t, std::size_t> TransitionItem::placeAmongSiblings() const
{
    QSet<const TransitionItem*> siblings;
    std::size_t earlier = 0;
    for (const TransitionItem* sibling : _from->transitions()) {
        if (sibling->_from != _from || siblings.contains(sibling))
            continue;
        siblings.insert(sibling);
        if (sibling->_index < _index)
            ++earlier;
    }
    return {earlier, static_cast<std::size_t>(siblings.size())};
}

void TransitionItem::updatePath()
{
    prepareGeometryChange();
    const QPointF start = _from->bottom();
    const QPointF end = _to->top();
    const auto [rank, siblings] = placeAmongSiblings();
    const double drop = Detour * static_cast<double>(1 + rank);
    QPainterPath path(start);
    if (end.y() > start.y() + drop + Detour) {
        const double middle = std::max((start.y() + end.y()) / 2, start.y() + drop);
        path.lineTo(start.x(), middle);
        path.lineTo(end.x(), middle);
        path.lineTo(end);
        _bar = QPointF(start.x(), siblings < 2 ? (start.y() + middle) / 2 : start.y() + drop - Detour / 2);
    } else {
        // Back up to an earlier step: round the left of both steps.
        const double left = std::min(start.x(), end.x()) - StepItem::Width / 2 - Detour;
        path.lineTo(start.x(), start.y() + drop);
        path.lineTo(left, start.y() + drop);
        path.lineTo(left, end.y() - Detour);
        path.lineTo(end.x(), end.y() - Detour);
        path.lineTo(end);
        _bar = QPointF(start.x(), start.y() + drop - Detour / 2);
    }
    setPath(path);
}

QRectF TransitionItem::conditionRect() const
{
    const QString condition = QString::fromStdString(_transition.condition);
    const QSizeF text = QFontMetricsF(conditionFont()).size(Qt::TextSingleLine, condition);
    return QRectF(_bar.x() - BarHalfWidth - 2, _bar.y() - text.height(), 2 * BarHalfWidth + 8 + text.width(),
                  2 * text.height());
}

QRectF TransitionItem::boundingRect() const
{
    return QGraphicsPathItem::boundingRect().adjusted(-HitWidth, -HitWidth, HitWidth, HitWidth) |
           conditionRect();
}

QPainterPath TransitionItem::shape() const
{
    QPainterPathStroker stroker;
    stroker.setWidth(HitWidth);
    QPainterPath hit = stroker.createStroke(path());
    hit.addRect(conditionRect());
    return hit;
}

void TransitionItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const bool selected = option->state & QStyle::State_Selected;
    const QColor wire = selected ? QColor(0x1e, 0x88, 0xe5) : QColor(0x37, 0x47, 0x4f);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(wire, selected ? 2.5 : 1.5));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path());
    painter->setPen(QPen(wire, 3));
    painter->drawLine(_bar - QPointF(BarHalfWidth, 0), _bar + QPointF(BarHalfWidth, 0));
    painter->setFont(conditionFont());
    painter->setPen(QColor(0x1e, 0x63, 0xd6));
    const QString condition = QString::fromStdString(_transition.condition);
    painter->drawText(_bar + QPointF(BarHalfWidth + 6, QFontMetricsF(conditionFont()).ascent() / 2 - 1),
                      condition);
}

} // namespace lumlink::sfc
