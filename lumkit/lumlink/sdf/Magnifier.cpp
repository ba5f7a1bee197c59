#include <lumlink/sdf/Magnifier.h>
#include <QGraphicsView>
#include <QPainter>
#include <QPainterPath>

namespace lumlink::sdf {

Magnifier::Magnifier(QGraphicsView* view) : QWidget(view->viewport()), _view(view)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(tr("Magnifier"));
    resize(Diameter, Diameter);
    hide();
}

void Magnifier::follow(const QPoint& viewportPoint)
{
    _centre = viewportPoint;
    move(viewportPoint - QPoint(Diameter / 2, Diameter / 2));
    update();
}

void Magnifier::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lens(1, 1, Diameter - 2, Diameter - 2);
    QPainterPath round;
    round.addEllipse(lens);
    painter.setClipPath(round);

    const double scale = _view->transform().m11() * Enlargement;
    const QPointF centre = _view->mapToScene(_centre);
    const double half = Diameter / 2.0 / scale;
    const QRectF source(centre.x() - half, centre.y() - half, 2 * half, 2 * half);
    _view->scene()->render(&painter, lens, source, Qt::IgnoreAspectRatio);

    painter.setClipping(false);
    painter.setPen(QPen(QColor(0x1e, 0x88, 0xe5), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(lens);
}

} // namespace lumlink::sdf
