#pragma once

#include <kirogen/model/SfcStep.h>
#include <QGraphicsItem>
#include <QList>

namespace lumlink::sfc {

class TransitionItem;

// A step of a sequence chart: its name and the diagram it runs; the initial step has the double
// frame charts mark it with. A drag from the handle at its bottom links it to another step.
// Dragged, it snaps to the editor's grid and its transitions follow.
class StepItem : public QGraphicsItem
{
public:
    static constexpr double Width = 120;
    static constexpr double Height = 44;

    explicit StepItem(const kirogen::model::SfcStep& step);

    const kirogen::model::SfcStep& step() const { return _step; }
    // Takes the step's content and position.
    void setStep(const kirogen::model::SfcStep& step);
    // Active while a run is in this step: drawn highlighted.
    bool isActive() const { return _active; }
    void setActive(bool active);

    // In scene coordinates: where transitions leave and enter.
    QPointF bottom() const { return mapToScene(QPointF(Width / 2, Height)); }
    QPointF top() const { return mapToScene(QPointF(Width / 2, 0)); }
    // Whether the scene point is on the handle a link is dragged from.
    bool isOnLinkHandle(const QPointF& scenePoint) const;

    // Transitions redraw when the step moves.
    void attach(TransitionItem* transition) { _transitions.append(transition); }
    void detach(TransitionItem* transition) { _transitions.removeAll(transition); }
    const QList<TransitionItem*>& transitions() const { return _transitions; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    kirogen::model::SfcStep _step;
    QList<TransitionItem*> _transitions;
    bool _active = false;
};

} // namespace lumlink::sfc
