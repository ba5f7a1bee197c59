#include <lumlink/EditorScene.h>
#include <QGraphicsPathItem>
#include <QGraphicsSceneMouseEvent>
#include <QPen>

namespace lumlink {

void EditorScene::cancelLink()
{
    delete _wire;
    _wire = nullptr;
}

void EditorScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    // The password may have been entered or cleared since the last gesture.
    applyProtection();
    QPointF start;
    QColor color;
    if (event->button() == Qt::LeftButton && isEditable() && beginLink(event->scenePos(), &start, &color)) {
        _wireStart = start;
        _wire = addPath(wirePath(start, event->scenePos()), QPen(color, 1.8, Qt::DashLine));
        event->accept();
        return;
    }
    QGraphicsScene::mousePressEvent(event);
}

void EditorScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (_wire) {
        _wire->setPath(wirePath(_wireStart, event->scenePos()));
        event->accept();
        return;
    }
    QGraphicsScene::mouseMoveEvent(event);
}

void EditorScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (_wire && event->button() == Qt::LeftButton) {
        cancelLink();
        finishLink(event->scenePos());
        event->accept();
        return;
    }
    QGraphicsScene::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        finishMove();
}

} // namespace lumlink
