#pragma once

#include <kirogen/model/FunctionBlock.h>
#include <kirogen/sdf/ActorType.h>
#include <QGraphicsItem>
#include <QString>
#include <map>
#include <memory>
#include <vector>

namespace lumlink::sdf {

class LinkItem;
class ValueLabel;

// One block as the diagram shows it: a header with the type and the block id, the typed ports
// (inputs left, outputs right) and the parameters. It mirrors the model's block and never writes it.
class BlockItem : public QGraphicsItem
{
public:
    // Narrow enough for the shipped examples' columns 140 units apart, with room for the wires.
    static constexpr double Width = 110;

    BlockItem(const kirogen::model::FunctionBlock& block,
              std::shared_ptr<const kirogen::sdf::ActorType> type);
    ~BlockItem() override;

    const kirogen::model::FunctionBlock& block() const { return _block; }
    void setBlock(const kirogen::model::FunctionBlock& block);

    // In scene coordinates: where a link meets the port.
    QPointF portScenePosition(const std::string& port) const;
    // The port whose marker lies under the scene point, or null.
    const kirogen::sdf::ActorPort* portAt(const QPointF& scenePoint) const;

    // While the project runs: the text of an output port's current value, shown beside the port
    // above every block (the tags are items of the scene that follow this block); an empty text
    // removes it. outputValue() is empty for a port that shows none.
    void setOutputValue(const std::string& port, const QString& text);
    QString outputValue(const std::string& port) const;
    void clearOutputValues();

    void attach(LinkItem* link);
    void detach(LinkItem* link);

    // The colour of a port type's markers and wires.
    static QColor typeColor(const std::string& typeName);

    QRectF boundingRect() const override;
    // The body and the port markers: a wire passing close by stays clickable.
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    QPointF portPosition(const kirogen::sdf::ActorPort& port) const;
    // Where a value tag's lower left corner sits.
    QPointF valuePosition(const kirogen::sdf::ActorPort& port) const;
    std::vector<const kirogen::sdf::ActorPort*> ports(kirogen::sdf::ActorPort::Direction direction) const;
    double height() const;
    int rows() const;
    // The full drawing of the block in item coordinates.
    void paintDetailed(QPainter* painter, bool selected) const;
    // On screen: the full drawing kept as a picture per scale and state, so that the repaints
    // around it (the live view's tags, a drag nearby) copy it instead of drawing it anew.
    bool paintFromPicture(QPainter* painter, bool selected) const;

    kirogen::model::FunctionBlock _block;
    std::shared_ptr<const kirogen::sdf::ActorType> _type;
    std::vector<LinkItem*> _links;
    std::map<std::string, ValueLabel*> _values;
    // Names this block's drawing: a new one for every change of what is drawn, so that the
    // pictures kept of an older drawing are never used again.
    quint64 _drawing;
};

} // namespace lumlink::sdf
