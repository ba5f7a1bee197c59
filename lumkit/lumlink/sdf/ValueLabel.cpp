#include <lumlink/sdf/ValueLabel.h>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace lumlink::sdf {

namespace {

constexpr double MaximumWidth = 72;
constexpr double Height = 12;
constexpr double Margin = 3;
// Values are short: only a long text needs eliding.
constexpr int ShortText = 10;

QFont labelFont()
{
    QFont font;
    font.setPixelSize(9);
    font.setBold(true);
    return font;
}

} // namespace

ValueLabel::ValueLabel()
{
    setAcceptedMouseButtons(Qt::NoButton);
    // Above blocks and wires, which all stand at 0.
    setZValue(10);
}

void ValueLabel::setText(const QString& text)
{
    if (text == _text)
        return;
    static const QFontMetricsF metrics(labelFont());
    _text = text;
    _shown =
        text.size() <= ShortText ? text : metrics.elidedText(text, Qt::ElideRight, MaximumWidth - 2 * Margin);
    const QRectF rect(0, -Height, metrics.horizontalAdvance(_shown) + 2 * Margin, Height);
    // The scene's index is touched only when the tag changes its size, not for every new value.
    if (rect != _rect) {
        prepareGeometryChange();
        _rect = rect;
    }
    // The whole text where the tag shows only its start.
    if (_shown != text || !toolTip().isEmpty())
        setToolTip(_shown != text ? text : QString());
    update();
}

QString ValueLabel::textOf(const lum::core::variant::Variant& value)
{
    if (value.holds<double>())
        return QString::number(value.get<double>(), 'g', 6);
    return QString::fromStdString(value.toString());
}

void ValueLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const QColor fill(0xff, 0xf3, 0xc4);
    const QColor border(0xc9, 0xa2, 0x27);
    if (option->levelOfDetailFromTransform(painter->worldTransform()) < ReadableZoom) {
        painter->fillRect(_rect, border);
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(border, 0.8));
    painter->setBrush(fill);
    painter->drawRoundedRect(_rect, 3, 3);
    painter->setFont(labelFont());
    painter->setPen(QColor(0x4e, 0x34, 0x2e));
    painter->drawText(_rect, Qt::AlignCenter, _shown);
}

} // namespace lumlink::sdf
