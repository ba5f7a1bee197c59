#include <kirogen/model/FunctionBlock.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/print/DocumentFile.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/Magnifier.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sdf/commands/PlaceBlockCommand.h>
#include <QBuffer>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace lumlink::sdf {

const char* const SDFView::ActorTypeMimeType = "application/x-tavview-actor-type";

namespace {

constexpr double ZoomStep = 1.25;
constexpr double MinimumZoom = 0.1;
constexpr double MaximumZoom = 8;
// Images are drawn at this many pixels per scene unit: sharp on paper and on large screens.
constexpr double ImageScale = 3;

} // namespace

SDFView::SDFView(DiagramDocument* document, QWidget* parent)
    : QGraphicsView(parent), _document(document), _scene(new SDFScene(document, this)),
      _model(document, _scene), _magnifier(new Magnifier(this))
{
    setScene(_scene);
    setAccessibleName(tr("Function-block diagram %1").arg(QString::fromStdString(document->diagramName())));
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(RubberBandDrag);
    setTransformationAnchor(AnchorUnderMouse);
    setViewportUpdateMode(SmartViewportUpdate);
    setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    connect(_scene, &SDFScene::statusMessage, this, &SDFView::statusMessage);
}

bool SDFView::placeBlock(const std::string& typeId, const QPointF& scenePoint)
{
    if (_document->isProtected())
        return false;
    const double grid = lum::qt::gui::option::EditorSettings::singleton().gridSize();
    kirogen::model::FunctionBlock block;
    block.id = _document->unusedBlockId(typeId);
    block.typeId = typeId;
    block.position = {std::round(scenePoint.x() / grid) * grid, std::round(scenePoint.y() / grid) * grid};
    const int before = _document->undoStack()->count();
    _document->undoStack()->push(new commands::PlaceBlockCommand(_document, block));
    return _document->undoStack()->count() > before;
}

bool SDFView::placeBlockInView(const std::string& typeId)
{
    return placeBlock(typeId, mapToScene(viewport()->rect().center()));
}

void SDFView::zoomIn()
{
    zoomBy(ZoomStep);
}

void SDFView::zoomOut()
{
    zoomBy(1 / ZoomStep);
}

void SDFView::zoomBy(double factor)
{
    const double wanted = std::clamp(zoom() * factor, MinimumZoom, MaximumZoom);
    scale(wanted / zoom(), wanted / zoom());
}

void SDFView::fit()
{
    const QRectF covered = _scene->diagramRect();
    if (covered.isEmpty())
        return;
    fitInView(covered, Qt::KeepAspectRatio);
    // A small diagram stays at its natural size instead of being blown up.
    if (zoom() > 1)
        setTransform(QTransform());
    centerOn(covered.center());
}

void SDFView::setMagnifierEnabled(bool enabled)
{
    _magnifierEnabled = enabled;
    _magnifier->setVisible(enabled && viewport()->underMouse());
    if (enabled)
        _magnifier->follow(viewport()->mapFromGlobal(QCursor::pos()));
}

void SDFView::deleteSelection()
{
    _scene->deleteSelection();
}

void SDFView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        zoomBy(std::pow(ZoomStep, event->angleDelta().y() / 120.0));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void SDFView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Backspace) {
        deleteSelection();
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        _scene->nudgeSelection(-1, 0);
        break;
    case Qt::Key_Right:
        _scene->nudgeSelection(1, 0);
        break;
    case Qt::Key_Up:
        _scene->nudgeSelection(0, -1);
        break;
    case Qt::Key_Down:
        _scene->nudgeSelection(0, 1);
        break;
    default:
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SDFView::mouseMoveEvent(QMouseEvent* event)
{
    QGraphicsView::mouseMoveEvent(event);
    if (_magnifierEnabled) {
        _magnifier->show();
        _magnifier->raise();
        _magnifier->follow(event->pos());
    }
}

void SDFView::leaveEvent(QEvent* event)
{
    _magnifier->hide();
    QGraphicsView::leaveEvent(event);
}

void SDFView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(ActorTypeMimeType) && !_document->isProtected())
        event->acceptProposedAction();
    else
        event->ignore();
}

void SDFView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(ActorTypeMimeType) && !_document->isProtected())
        event->acceptProposedAction();
    else
        event->ignore();
}

void SDFView::dropEvent(QDropEvent* event)
{
    const QByteArray typeId = event->mimeData()->data(ActorTypeMimeType);
    if (typeId.isEmpty() || !placeBlock(typeId.toStdString(), mapToScene(event->pos()))) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

bool SDFView::exportToImage(const QString& path, QString* error) const
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        *error = tr("No image format is known for the file name %1").arg(path);
        return false;
    }
    const QRectF source = _scene->diagramRect();
    QImage image((source.size() * ImageScale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        _scene->render(&painter, QRectF(image.rect()), source);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QByteArray SDFView::pdfDocument() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromStdString(_document->diagramName()));
    writer.setCreator(QCoreApplication::applicationName());
    writer.setResolution(300);
    const QRectF source = _scene->diagramRect();
    writer.setPageOrientation(source.width() > source.height() ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
    QPainter painter(&writer);
    const QRectF page(0, 0, writer.width(), writer.height());
    QFont heading = painter.font();
    heading.setPixelSize(writer.resolution() / 5);
    heading.setBold(true);
    painter.setFont(heading);
    const double headingHeight = painter.fontMetrics().height() * 2;
    painter.drawText(page, Qt::AlignTop | Qt::AlignLeft, QString::fromStdString(_document->diagramName()));
    _scene->render(&painter, page.adjusted(0, headingHeight, 0, 0), source, Qt::KeepAspectRatio);
    painter.end();
    return bytes;
}

bool SDFView::exportToPdf(const QString& path, QString* error) const
{
    return print::DocumentFile::writePdf(pdfDocument(), path, error);
}

bool SDFView::exportToPostScript(const QString& path, QString* error) const
{
    return print::DocumentFile::writePostScript(
        pdfDocument(), QString::fromStdString(_document->diagramName()), path, error);
}

} // namespace lumlink::sdf
