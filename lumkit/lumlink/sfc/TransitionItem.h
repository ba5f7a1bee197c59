#pragma once

#include <kirogen/model/SfcTransition.h>
#include <QGraphicsPathItem>

namespace lumlink::sfc {

class StepItem;

// A transition between two steps: a wire with right angles from the one's bottom to the other's
// top, crossed by a bar with the condition beside it. A way back up runs along the left.
class TransitionItem : public QGraphicsPathItem
{
public:
    TransitionItem(const kirogen::model::SfcTransition& transition, const StepItem* from, const StepItem* to);

    const kirogen::model::SfcTransition& transition() const { return _transition; }
    // Where the bar crosses the wire, in scene coordinates.
    QPointF barCentre() const { return _bar; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    kirogen::model::SfcTransition _transition;
    QPointF _bar;
};

} // namespace lumlink::sfc
