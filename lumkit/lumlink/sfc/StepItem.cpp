#include <lumlink/sfc/StepItem.h>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace lumlink::sfc {

StepItem::StepItem(const kirogen::model::SfcStep& step) : _step(step)
{
    setFlag(ItemIsSelectable);
    setPos(step.position.x, step.position.y);
}

void StepItem::setActive(bool active)
{
    if (active == _active)
        return;
    _active = active;
    update();
}

QRectF StepItem::boundingRect() const
{
    return QRectF(-4, -4, Width + 8, Height + 8);
}

void StepItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const bool selected = option->state & QStyle::State_Selected;
    const QRectF body(0, 0, Width, Height);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 28));
    painter->drawRoundedRect(body.translated(2, 3), 4, 4);
    const QColor frame = selected  ? QColor(0x1e, 0x88, 0xe5)
                         : _active ? QColor(0x2e, 0x7d, 0x32)
                                   : QColor(0x37, 0x47, 0x4f);
    painter->setBrush(_active ? QColor(0xc8, 0xe6, 0xc9) : QColor(Qt::white));
    painter->setPen(QPen(frame, selected || _active ? 2.5 : 1.5));
    painter->drawRoundedRect(body, 4, 4);
    if (_step.initial)
        painter->drawRoundedRect(body.adjusted(4, 4, -4, -4), 2, 2);

    QFont bold = painter->font();
    bold.setPixelSize(12);
    bold.setBold(true);
    QFont small = bold;
    small.setPixelSize(10);
    small.setBold(false);
    const QRectF nameLine(8, 6, Width - 16, 18);
    const QRectF diagramLine(8, 23, Width - 16, 14);
    painter->setFont(bold);
    painter->setPen(QColor(0x26, 0x32, 0x38));
    painter->drawText(nameLine, Qt::AlignCenter,
                      QFontMetricsF(bold).elidedText(QString::fromStdString(_step.name), Qt::ElideMiddle,
                                                     nameLine.width()));
    painter->setFont(small);
    painter->setPen(QColor(0x60, 0x6b, 0x75));
    painter->drawText(diagramLine, Qt::AlignCenter,
                      QFontMetricsF(small).elidedText(QString::fromStdString(_step.diagram), Qt::ElideMiddle,
                                                      diagramLine.width()));
}

} // namespace lumlink::sfc
