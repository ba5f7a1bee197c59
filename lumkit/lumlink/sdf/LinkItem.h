#pragma once

#include <kirogen/model/DataLink.h>
#include <QGraphicsPathItem>

namespace lumlink::sdf {

class BlockItem;

// A data link drawn as an orthogonal wire from an output to an input; it follows its blocks.
class LinkItem : public QGraphicsPathItem
{
public:
    LinkItem(const kirogen::model::DataLink& link, BlockItem* from, BlockItem* to, const QColor& color);
    ~LinkItem() override;

    const kirogen::model::DataLink& link() const { return _link; }
    void updatePath();

    // The wire's route between two port positions, with rounded corners.
    static QPainterPath route(const QPointF& output, const QPointF& input);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    kirogen::model::DataLink _link;
    BlockItem* _from;
    BlockItem* _to;
    QColor _color;
    // The port positions the path was routed between; unchanged ones keep the path.
    QPointF _output;
    QPointF _input;
    bool _routed = false;
};

} // namespace lumlink::sdf
