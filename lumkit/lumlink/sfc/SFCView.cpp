#include <kirogen/model/SfcModel.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QGraphicsScene>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <map>

namespace lumlink::sfc {

namespace {

constexpr double ZoomStep = 1.25;
constexpr double MinimumZoom = 0.1;
constexpr double MaximumZoom = 8;

} // namespace

SFCView::SFCView(std::shared_ptr<const kirogen::model::SfcModel> chart, QWidget* parent)
    : QGraphicsView(parent), _chart(std::move(chart))
{
    auto* scene = new QGraphicsScene(this);
    setScene(scene);
    setAccessibleName(tr("Sequence chart %1").arg(QString::fromStdString(_chart->name())));
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setBackgroundBrush(QColor(0xf7, 0xf8, 0xfa));
    setDragMode(ScrollHandDrag);
    std::map<std::string, StepItem*> steps;
    for (const auto& step : _chart->steps()) {
        auto* item = new StepItem(step);
        scene->addItem(item);
        steps.emplace(step.name, item);
    }
    for (const auto& transition : _chart->transitions())
        scene->addItem(new TransitionItem(transition, steps.at(transition.from), steps.at(transition.to)));
}

const std::string& SFCView::chartName() const
{
    return _chart->name();
}

void SFCView::setActiveSteps(const QStringList& names)
{
    for (QGraphicsItem* item : scene()->items()) {
        if (auto* step = dynamic_cast<StepItem*>(item))
            step->setActive(names.contains(QString::fromStdString(step->step().name)));
    }
}

void SFCView::zoomIn()
{
    zoomBy(ZoomStep);
}

void SFCView::zoomOut()
{
    zoomBy(1 / ZoomStep);
}

void SFCView::zoomBy(double factor)
{
    const double wanted = std::clamp(zoom() * factor, MinimumZoom, MaximumZoom);
    scale(wanted / zoom(), wanted / zoom());
}

void SFCView::fit()
{
    const QRectF covered = scene()->itemsBoundingRect().adjusted(-20, -20, 20, 20);
    fitInView(covered, Qt::KeepAspectRatio);
    if (zoom() > 1)
        setTransform(QTransform());
    centerOn(covered.center());
}

void SFCView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        zoomBy(std::pow(ZoomStep, event->angleDelta().y() / 120.0));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

} // namespace lumlink::sfc
