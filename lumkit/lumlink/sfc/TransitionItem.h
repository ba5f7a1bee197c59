#pragma once

#include <kirogen/model/SfcTransition.h>
#include <QGraphicsPathItem>
#include <cstddef>
#include <utility>

namespace lumlink::sfc {

class StepItem;

// A transition between two steps: a wire with right angles from the one's bottom to the other's
// top, crossed by a bar with the condition beside it. A way back up runs along the left. It
// follows its steps as they move; index is its place in the chart's transitions.
class TransitionItem : public QGraphicsPathItem
{
public:
    TransitionItem(const kirogen::model::SfcTransition& transition, std::size_t index, StepItem* from,
                   StepItem* to);
    ~TransitionItem() override;

    const kirogen::model::SfcTransition& transition() const { return _transition; }
    std::size_t index() const { return _index; }
    // Where the bar crosses the wire, in scene coordinates.
    QPointF barCentre() const { return _bar; }

    void updatePath();

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QRectF conditionRect() const;
    std::pair<std::size_t, std::size_t> placeAmongSiblings() const;
    void updateSiblings();

    kirogen::model::SfcTransition _transition;
    std::size_t _index;
    StepItem* _from;
    StepItem* _to;
    QPointF _bar;
};

} // namespace lumlink::sfc
