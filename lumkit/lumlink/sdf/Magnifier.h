#pragma once

#include <QWidget>

class QGraphicsView;

namespace lumlink::sdf {

// A round lens over a view's viewport that shows the scene under the mouse enlarged.
class Magnifier : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Diameter = 180;
    static constexpr double Enlargement = 2.5;

    explicit Magnifier(QGraphicsView* view);

    // Centres the lens on the viewport point.
    void follow(const QPoint& viewportPoint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QGraphicsView* _view;
    QPoint _centre;
};

} // namespace lumlink::sdf
