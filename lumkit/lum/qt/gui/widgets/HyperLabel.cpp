#include "lum/qt/gui/widgets/HyperLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

namespace lum::qt::gui::widgets {

HyperLabel::HyperLabel(QWidget* parent) : QLabel(parent)
{
}

void HyperLabel::setLink(const QUrl& link)
{
    _link = link;
    const bool active = link.isValid() && !link.isEmpty();
    setCursor(active ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setFocusPolicy(active ? Qt::TabFocus : Qt::NoFocus);
    setToolTip(active ? link.toDisplayString() : QString());
    setAccessibleDescription(active ? link.toDisplayString() : QString());
}

void HyperLabel::mousePressEvent(QMouseEvent* event)
{
    _pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void HyperLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and release of the left button on the label; dragging off cancels it.
    const bool click = _pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    _pressed = false;
    if (click)
        open();
    QLabel::mouseReleaseEvent(event);
}

void HyperLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void HyperLabel::open()
{
    if (_link.isEmpty() || !_link.isValid())
        return;
    emit linkOpened(_link, QDesktopServices::openUrl(_link));
}

} // namespace lum::qt::gui::widgets
