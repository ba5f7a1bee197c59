#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <cmath>

namespace lumlink::sfc {

namespace {

constexpr double HandleRadius = 4;
// A press this close to the handle's centre starts a link: easier to hit than the dot itself.
constexpr double HandleReach = 9;

} // namespace

StepItem::StepItem(const kirogen::model::SfcStep& step) : _step(step)
{
    setFlag(ItemIsSelectable);
    setStep(step);
}

void StepItem::setStep(const kirogen::model::SfcStep& step)
{
    _step = step;
    // The model's position as it is: only the user's drags snap to the grid.
    setFlag(ItemSendsGeometryChanges, false);
    setPos(step.position.x, step.position.y);
    setFlag(ItemSendsGeometryChanges);
    for (TransitionItem* transition : _transitions)
        transition->updatePath();
    update();
}

bool StepItem::isOnLinkHandle(const QPointF& scenePoint) const
{
    return QLineF(bottom(), scenePoint).length() <= HandleReach;
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
    return QRectF(-4, -4, Width + 8, Height + 8 + HandleRadius);
}

void StepItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const bool selected = option->state & QStyle::State_Selected;
    const QRectF body(0, 0, Width, Height);
    const QColor frame = selected  ? QColor(0x1e, 0x88, 0xe5)
                         : _active ? QColor(0x2e, 0x7d, 0x32)
                                   : QColor(0x37, 0x47, 0x4f);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 28));
    painter->drawRoundedRect(body.translated(2, 3), 4, 4);
    painter->setBrush(_active ? QColor(0xc8, 0xe6, 0xc9) : QColor(Qt::white));
    painter->setPen(QPen(frame, selected || _active ? 2.5 : 1.5));
    painter->drawRoundedRect(body, 4, 4);
    if (_step.initial)
        painter->drawRoundedRect(body.adjusted(4, 4, -4, -4), 2, 2);
    painter->setPen(QPen(frame, 1.2));
    painter->setBrush(QColor(0xcf, 0xd8, 0xdc));
    painter->drawEllipse(QPointF(Width / 2, Height), HandleRadius, HandleRadius);

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

QVariant StepItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemPositionChange) {
        const auto& settings = lum::qt::gui::option::EditorSettings::singleton();
        if (settings.snapToGrid()) {
            const double grid = settings.gridSize();
            const QPointF wanted = value.toPointF();
            return QPointF(std::round(wanted.x() / grid) * grid, std::round(wanted.y() / grid) * grid);
        }
    } else if (change == ItemPositionHasChanged) {
        for (TransitionItem* transition : _transitions)
            transition->updatePath();
    }
    return QGraphicsItem::itemChange(change, value);
}

} // namespace lumlink::sfc
