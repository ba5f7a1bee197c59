#pragma once

#include <kirogen/model/SfcStep.h>
#include <QGraphicsItem>

namespace lumlink::sfc {

// A step of a sequence chart: its name and the diagram it runs; the initial step has the double
// frame charts mark it with.
class StepItem : public QGraphicsItem
{
public:
    static constexpr double Width = 120;
    static constexpr double Height = 44;

    explicit StepItem(const kirogen::model::SfcStep& step);

    const kirogen::model::SfcStep& step() const { return _step; }
    // Active while a run is in this step: drawn highlighted.
    bool isActive() const { return _active; }
    void setActive(bool active);
    // In scene coordinates: where transitions leave and enter.
    QPointF bottom() const { return mapToScene(QPointF(Width / 2, Height)); }
    QPointF top() const { return mapToScene(QPointF(Width / 2, 0)); }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    kirogen::model::SfcStep _step;
    bool _active = false;
};

} // namespace lumlink::sfc
