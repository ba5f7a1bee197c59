#pragma once

#include <lum/core/Variant.h>
#include <QGraphicsItem>
#include <QString>

namespace lumlink::sdf {

// What an output port holds while the project runs: a small tag beside the port, above its wire
// and above every block. Its block places it; it repaints only itself when the text changes.
class ValueLabel : public QGraphicsItem
{
public:
    // Below this zoom the text could not be read: the tag is drawn as a plain mark.
    static constexpr double ReadableZoom = 0.45;

    ValueLabel();

    const QString& text() const { return _text; }
    void setText(const QString& text);

    // The text a value is shown as: numbers with six significant digits, the rest as printed.
    static QString textOf(const lum::core::variant::Variant& value);

    QRectF boundingRect() const override { return _rect; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString _text;
    QString _shown;
    QRectF _rect;
};

} // namespace lumlink::sdf
