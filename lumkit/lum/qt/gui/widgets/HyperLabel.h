#pragma once

#include <QLabel>
#include <QUrl>

namespace lum::qt::gui::widgets {

// A text or pixmap label that opens its link in the desktop's browser when clicked.
class HyperLabel : public QLabel
{
    Q_OBJECT

public:
    explicit HyperLabel(QWidget* parent = nullptr);

    QUrl link() const { return _link; }
    // Also the tool tip; an empty link makes the label plain again.
    void setLink(const QUrl& link);

signals:
    // Emitted when a click has handed the link to the desktop; false when nothing could open it.
    void linkOpened(const QUrl& link, bool opened);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open();

    QUrl _link;
    bool _pressed = false;
};

} // namespace lum::qt::gui::widgets
