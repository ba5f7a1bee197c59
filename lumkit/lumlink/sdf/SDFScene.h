#pragma once

#include <lum/core/Variant.h>
#include <lumlink/EditorScene.h>
#include <map>
#include <string>
#include <vector>

namespace kirogen::sdf {
struct ActorPort;
struct OutputPort;
} // namespace kirogen::sdf

namespace lumlink::sdf {

class BlockItem;
class DiagramDocument;
class LinkItem;

// The scene of one function-block diagram. Its items follow the document's diagram; the gestures
// on it (drag blocks, drag from an output to an input) become commands on the undo stack.
class SDFScene : public EditorScene
{
    Q_OBJECT

public:
    explicit SDFScene(DiagramDocument* document, QObject* parent = nullptr);
    // Value tags and links go before the blocks they point at.
    ~SDFScene() override;

    DiagramDocument* document() const { return _document; }
    BlockItem* blockItem(const std::string& id) const;
    // The link items in the diagram's order.
    QList<LinkItem*> linkItems() const;

    // Deletes the selected blocks and links as one step; nothing while protected.
    void deleteSelection();
    // Moves the selected blocks by whole grid steps; held-down keys merge into one step.
    void nudgeSelection(int columns, int rows);
    // The rectangle the diagram's items cover, with a margin.
    QRectF diagramRect() const;

    // While the project runs: the current values beside the blocks' outputs, ports and values
    // in the same order. Only blocks within area are brought up to date (what the user can read);
    // an output outside it gets its first value. clearOutputValues() takes them all away.
    void showOutputValues(const std::vector<kirogen::sdf::OutputPort>& ports,
                          const std::vector<lum::core::variant::Variant>& values, const QRectF& area);
    void clearOutputValues();

public slots:
    // Brings the items in line with the diagram.
    void synchronize();

signals:
    // A gesture refused, with the reason, for the status bar.
    void statusMessage(const QString& message);

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    bool isEditable() const override;
    // Blocks can be dragged only while the project is not protected.
    void applyProtection() override;
    // A link starts at an output port.
    bool beginLink(const QPointF& scenePoint, QPointF* start, QColor* color) override;
    QPainterPath wirePath(const QPointF& start, const QPointF& end) const override;
    void finishLink(const QPointF& scenePoint) override;
    void finishMove() override;

private:
    // The port under the point of any block there (blocks may overlap), and its block.
    const kirogen::sdf::ActorPort* portAt(const QPointF& scenePoint, BlockItem** block) const;

    DiagramDocument* _document;
    std::map<std::string, BlockItem*> _blocks;
    std::map<std::string, LinkItem*> _links;
    // While a link is dragged out of an output.
    BlockItem* _linkSource = nullptr;
    std::string _linkPort;
};

} // namespace lumlink::sdf
