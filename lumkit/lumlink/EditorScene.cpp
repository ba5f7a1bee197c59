#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/EditorScene.h>
#include <QGraphicsPathItem>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPen>
#include <cmath>

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

void EditorScene::drawGrid(QPainter* painter, const QRectF& rect, const QColor& color, int majorEvery,
                           const QColor& majorColor)
{
    const int device = painter->device()->devType();
    if (device != QInternal::Widget && device != QInternal::Pixmap) {
        painter->fillRect(rect, Qt::white);
        return;
    }
    painter->fillRect(rect, QColor(0xf7, 0xf8, 0xfa));
    // Lines closer than a few pixels on screen would turn the background grey: thin them out.
    const double scale = painter->transform().m11();
    double step = lum::qt::gui::option::EditorSettings::singleton().gridSize();
    while (step * scale < 8)
        step *= 2;
    const double major = step * majorEvery;
    const auto isMajor = [major](double at) { return major > 0 && std::fmod(std::abs(at), major) < 0.5; };
    QVector<QLineF> lines;
    QVector<QLineF> majorLines;
    for (double x = std::floor(rect.left() / step) * step; x <= rect.right(); x += step)
        (isMajor(x) ? majorLines : lines).append(QLineF(x, rect.top(), x, rect.bottom()));
    for (double y = std::floor(rect.top() / step) * step; y <= rect.bottom(); y += step)
        (isMajor(y) ? majorLines : lines).append(QLineF(rect.left(), y, rect.right(), y));
    painter->setPen(QPen(color, 0));
    painter->drawLines(lines);
    painter->setPen(QPen(majorColor, 0));
    painter->drawLines(majorLines);
}

} // namespace lumlink
