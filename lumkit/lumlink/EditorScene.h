#pragma once

#include <QGraphicsScene>

class QGraphicsPathItem;

namespace lumlink {

// The mouse gestures and the background both program editors' scenes share. A left press on an
// item's link handle drags a dashed wire that ends in a link where the button is released; any
// other release of the left button ends a move of the dragged items. What is linked and moved is
// the subclass's.
class EditorScene : public QGraphicsScene
{
    Q_OBJECT

public:
    using QGraphicsScene::QGraphicsScene;

protected:
    // Whether the items may be moved and linked now.
    virtual bool isEditable() const = 0;
    // Lets the items be dragged or not, as isEditable() tells.
    virtual void applyProtection() = 0;
    // Whether a link starts at the point; its wire then starts at *start in *color.
    virtual bool beginLink(const QPointF& scenePoint, QPointF* start, QColor* color) = 0;
    // The wire's course from its start to the mouse.
    virtual QPainterPath wirePath(const QPointF& start, const QPointF& end) const = 0;
    // The button was released at the point: the link ends there, or nowhere.
    virtual void finishLink(const QPointF& scenePoint) = 0;
    // Takes the new places of the dragged items into the program.
    virtual void finishMove() = 0;

    // Drops a link being dragged, as when its start left the program.
    void cancelLink();

    // Paints the background: on screen (the view's viewport or its background cache) the editing
    // grid in the given colour, every majorEvery-th line (none for 0) in majorColor; on exported
    // pictures and pages plain white.
    static void drawGrid(QPainter* painter, const QRectF& rect, const QColor& color, int majorEvery = 0,
                         const QColor& majorColor = QColor());

    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    QGraphicsPathItem* _wire = nullptr;
    QPointF _wireStart;
};

} // namespace lumlink
