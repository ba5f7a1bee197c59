#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace lumlink::sfc {

namespace {

constexpr double BarHalfWidth = 12;
constexpr double Detour = 20;

QFont conditionFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

} // namespace

TransitionItem::TransitionItem(const kirogen::model::SfcTransition& transition, const StepItem* from,
                               const StepItem* to)
    : _transition(transition)
{
    setZValue(-1);
    const QPointF start = from->bottom();
    const QPointF end = to->top();
    QPainterPath path(start);
    if (end.y() > start.y() + 2 * Detour) {
        const double middle = (start.y() + end.y()) / 2;
        path.lineTo(start.x(), middle);
        path.lineTo(end.x(), middle);
        path.lineTo(end);
        _bar = QPointF(start.x(), (start.y() + middle) / 2);
    } else {
        // Back up to an earlier step: round the left of both steps.
        const double left = std::min(start.x(), end.x()) - StepItem::Width / 2 - Detour;
        path.lineTo(start.x(), start.y() + Detour);
        path.lineTo(left, start.y() + Detour);
        path.lineTo(left, end.y() - Detour);
        path.lineTo(end.x(), end.y() - Detour);
        path.lineTo(end);
        _bar = QPointF(start.x(), start.y() + Detour / 2);
    }
    setPath(path);
    setPen(QPen(QColor(0x37, 0x47, 0x4f), 1.5));
}

QRectF TransitionItem::boundingRect() const
{
    const QString condition = QString::fromStdString(_transition.condition);
    const QSizeF text = QFontMetricsF(conditionFont()).size(Qt::TextSingleLine, condition);
    return QGraphicsPathItem::boundingRect().united(
        QRectF(_bar.x() - BarHalfWidth - 2, _bar.y() - text.height(), 2 * BarHalfWidth + 8 + text.width(),
               2 * text.height()));
}

void TransitionItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(pen());
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path());
    painter->setPen(QPen(QColor(0x37, 0x47, 0x4f), 3));
    painter->drawLine(_bar - QPointF(BarHalfWidth, 0), _bar + QPointF(BarHalfWidth, 0));
    painter->setFont(conditionFont());
    painter->setPen(QColor(0x1e, 0x63, 0xd6));
    const QString condition = QString::fromStdString(_transition.condition);
    painter->drawText(_bar + QPointF(BarHalfWidth + 6, QFontMetricsF(conditionFont()).ascent() / 2 - 1),
                      condition);
}

} // namespace lumlink::sfc
