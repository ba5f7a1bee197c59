#include <lumlink/EditorView.h>
#include <QGraphicsItem>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace lumlink {

namespace {

constexpr double ZoomStep = 1.25;
constexpr double MinimumZoom = 0.1;
constexpr double MaximumZoom = 8;

} // namespace

EditorView::EditorView(QWidget* parent) : QGraphicsView(parent)
{
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(RubberBandDrag);
    setTransformationAnchor(AnchorUnderMouse);
}

print::SceneExport EditorView::exporter() const
{
    return print::SceneExport(scene(), programRect(), programName());
}

void EditorView::zoomIn()
{
    zoomBy(ZoomStep);
}

void EditorView::zoomOut()
{
    zoomBy(1 / ZoomStep);
}

void EditorView::zoomBy(double factor)
{
    const double wanted = std::clamp(zoom() * factor, MinimumZoom, MaximumZoom);
    scale(wanted / zoom(), wanted / zoom());
}

void EditorView::fit()
{
    const QRectF covered = programRect();
    if (covered.isEmpty())
        return;
    fitInView(covered, Qt::KeepAspectRatio);
    // A small program stays at its natural size instead of being blown up.
    if (zoom() > 1)
        setTransform(QTransform());
    centerOn(covered.center());
}

void EditorView::selectAll()
{
    for (QGraphicsItem* item : scene()->items()) {
        if (item->flags() & QGraphicsItem::ItemIsSelectable)
            item->setSelected(true);
    }
}

void EditorView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        zoomBy(std::pow(ZoomStep, event->angleDelta().y() / 120.0));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void EditorView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Backspace) {
        deleteSelection();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        event->accept();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

} // namespace lumlink
