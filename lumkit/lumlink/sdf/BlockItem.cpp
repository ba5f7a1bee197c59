#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/LinkItem.h>
#include <lumlink/sdf/ValueLabel.h>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

namespace lumlink::sdf {

using kirogen::sdf::ActorPort;

namespace {

constexpr double HeaderHeight = 28;
constexpr double RowHeight = 16;
constexpr double ParameterHeight = 12;
constexpr double Padding = 4;
constexpr double PortRadius = 4.5;
constexpr double CornerRadius = 5;
// Below this scale blocks and wires are drawn plainly.
constexpr double SimpleDetail = 0.5;

const QColor SelectionColor(0x1e, 0x88, 0xe5);
// A block's picture is kept up to this many device pixels; a block larger on screen is drawn.
constexpr int LargestPicture = 512 * 512;

quint64 newDrawing()
{
    static quint64 drawings = 0;
    return ++drawings;
}

// One calm accent per category, so that a diagram reads by kind of block at a glance.
QColor categoryColor(const std::string& category)
{
    static const QColor palette[] = {QColor(0x37, 0x47, 0x4f), QColor(0x00, 0x79, 0x6b),
                                     QColor(0x5e, 0x35, 0xb1), QColor(0xc6, 0x28, 0x28),
                                     QColor(0x28, 0x35, 0x93), QColor(0x6d, 0x4c, 0x41),
                                     QColor(0x2e, 0x7d, 0x32), QColor(0xef, 0x6c, 0x00)};
    return palette[qHash(QString::fromStdString(category)) % (sizeof(palette) / sizeof(palette[0]))];
}

} // namespace

BlockItem::BlockItem(const kirogen::model::FunctionBlock& block,
                     std::shared_ptr<const kirogen::sdf::ActorType> type)
    : _block(block), _type(std::move(type)), _drawing(newDrawing())
{
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
    setPos(block.position.x, block.position.y);
    setToolTip(QString::fromStdString(_type ? _type->helpText() : std::string()));
}

BlockItem::~BlockItem()
{
    clearOutputValues();
}

void BlockItem::setBlock(const kirogen::model::FunctionBlock& block)
{
    prepareGeometryChange();
    _block = block;
    _drawing = newDrawing();
    setPos(block.position.x, block.position.y);
    update();
}

QColor BlockItem::typeColor(const std::string& typeName)
{
    if (typeName == "bool")
        return QColor(0x43, 0xa0, 0x47);
    if (typeName == "int")
        return QColor(0x00, 0x89, 0x7b);
    if (typeName == "double")
        return QColor(0x1e, 0x63, 0xd6);
    if (typeName == "string")
        return QColor(0xf5, 0x7c, 0x00);
    return QColor(0x75, 0x75, 0x75);
}

std::vector<const ActorPort*> BlockItem::ports(ActorPort::Direction direction) const
{
    std::vector<const ActorPort*> found;
    if (_type) {
        for (const ActorPort& port : _type->ports()) {
            if (port.direction == direction)
                found.push_back(&port);
        }
    }
    return found;
}

int BlockItem::rows() const
{
    return static_cast<int>(std::max(ports(ActorPort::In).size(), ports(ActorPort::Out).size()));
}

double BlockItem::height() const
{
    const double parameters = static_cast<double>(_type ? _type->parameters().size() : 0);
    return HeaderHeight + Padding / 2 + rows() * RowHeight + parameters * ParameterHeight + Padding;
}

QPointF BlockItem::portPosition(const ActorPort& port) const
{
    const auto same = ports(port.direction);
    const auto index = std::find(same.begin(), same.end(), &port) - same.begin();
    const double y = HeaderHeight + Padding / 2 + (static_cast<double>(index) + 0.5) * RowHeight;
    return QPointF(port.direction == ActorPort::In ? 0 : Width, y);
}

QPointF BlockItem::portScenePosition(const std::string& port) const
{
    const ActorPort* found = _type ? _type->port(port) : nullptr;
    return mapToScene(found ? portPosition(*found) : QPointF(0, HeaderHeight / 2));
}

const ActorPort* BlockItem::portAt(const QPointF& scenePoint) const
{
    if (!_type)
        return nullptr;
    const QPointF local = mapFromScene(scenePoint);
    for (const ActorPort& port : _type->ports()) {
        const QPointF offset = local - portPosition(port);
        // A generous hit area: a port is small, a user's aim is not.
        if (std::hypot(offset.x(), offset.y()) <= PortRadius + 5)
            return &port;
    }
    return nullptr;
}

void BlockItem::setOutputValue(const std::string& port, const QString& text)
{
    const auto shown = _values.find(port);
    if (text.isEmpty()) {
        if (shown != _values.end()) {
            delete shown->second;
            _values.erase(shown);
        }
        return;
    }
    if (shown != _values.end()) {
        shown->second->setText(text);
        return;
    }
    const ActorPort* found = _type ? _type->port(port) : nullptr;
    if (!found || found->direction != ActorPort::Out || !scene())
        return;
    auto* label = new ValueLabel();
    label->setPos(mapToScene(valuePosition(*found)));
    label->setText(text);
    scene()->addItem(label);
    _values.emplace(port, label);
}

QPointF BlockItem::valuePosition(const ActorPort& port) const
{
    return portPosition(port) + QPointF(PortRadius + 3, -3);
}

QString BlockItem::outputValue(const std::string& port) const
{
    const auto shown = _values.find(port);
    return shown == _values.end() ? QString() : shown->second->text();
}

void BlockItem::clearOutputValues()
{
    for (const auto& [port, label] : _values)
        delete label;
    _values.clear();
}

void BlockItem::attach(LinkItem* link)
{
    _links.push_back(link);
}

void BlockItem::detach(LinkItem* link)
{
    _links.erase(std::remove(_links.begin(), _links.end(), link), _links.end());
}

QRectF BlockItem::boundingRect() const
{
    const double margin = PortRadius + 3;
    return QRectF(-margin, -margin, Width + 2 * margin, height() + 2 * margin);
}

QPainterPath BlockItem::shape() const
{
    QPainterPath path;
    path.addRect(QRectF(0, 0, Width, height()));
    if (_type) {
        for (const ActorPort& port : _type->ports())
            path.addEllipse(portPosition(port), PortRadius + 1, PortRadius + 1);
    }
    return path;
}

void BlockItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const bool selected = option->state & QStyle::State_Selected;
    const QRectF body(0, 0, Width, height());
    const QColor accent = categoryColor(_type ? _type->category() : std::string());

    // Drawn this small, texts and port markers would be a pixel or two high: the outline and the
    // category's header say as much at a fraction of the cost, so a large diagram fitted into
    // the window repaints within a frame.
    if (option->levelOfDetailFromTransform(painter->worldTransform()) < SimpleDetail) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(selected ? SelectionColor : QColor(0xb0, 0xb7, 0xbf), selected ? 2 : 0));
        painter->setBrush(Qt::white);
        painter->drawRect(body);
        painter->fillRect(QRectF(0, 0, Width, HeaderHeight), accent);
        return;
    }
    // Pages and exported pictures get the drawing itself: their texts stay texts.
    if (painter->device()->devType() == QInternal::Widget && paintFromPicture(painter, selected))
        return;
    paintDetailed(painter, selected);
}

bool BlockItem::paintFromPicture(QPainter* painter, bool selected) const
{
    const QTransform& world = painter->worldTransform();
    if (world.type() > QTransform::TxScale)
        return false;
    const double ratio = painter->device()->devicePixelRatioF();
    const QRectF bounds = boundingRect();
    const QRectF target = world.mapRect(bounds);
    // Copied to whole device pixels, drawn within them to a quarter pixel of where the drawing
    // itself would lie, so that the wires still meet the ports.
    const QPoint pixel(static_cast<int>(std::floor(target.left())),
                       static_cast<int>(std::floor(target.top())));
    const QPointF offset(std::round((target.left() - pixel.x()) * 4) / 4,
                         std::round((target.top() - pixel.y()) * 4) / 4);
    const QSize size(static_cast<int>(std::ceil((target.width() + 1) * ratio)),
                     static_cast<int>(std::ceil((target.height() + 1) * ratio)));
    if (size.width() * size.height() > LargestPicture)
        return false;
    const QString key = QStringLiteral("lumlink.sdf.block/%1/%2/%3x%4/%5/%6,%7")
                            .arg(_drawing)
                            .arg(selected)
                            .arg(world.m11())
                            .arg(world.m22())
                            .arg(ratio)
                            .arg(offset.x())
                            .arg(offset.y());
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(size);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter into(&picture);
        into.setRenderHints(painter->renderHints());
        into.setFont(painter->font());
        into.translate(offset);
        into.scale(world.m11(), world.m22());
        into.translate(-bounds.topLeft());
        paintDetailed(&into, selected);
        into.end();
        QPixmapCache::insert(key, picture);
    }
    painter->save();
    painter->resetTransform();
    painter->drawPixmap(pixel, picture);
    painter->restore();
    return true;
}

void BlockItem::paintDetailed(QPainter* painter, bool selected) const
{
    const QRectF body(0, 0, Width, height());
    const QColor accent = categoryColor(_type ? _type->category() : std::string());
    painter->setRenderHint(QPainter::Antialiasing);

    // A soft shadow lifts the block off the grid.
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 28));
    painter->drawRoundedRect(body.translated(2, 3), CornerRadius, CornerRadius);

    painter->setBrush(Qt::white);
    painter->setPen(QPen(selected ? SelectionColor : QColor(0xb0, 0xb7, 0xbf), selected ? 2.5 : 1));
    painter->drawRoundedRect(body, CornerRadius, CornerRadius);

    QPainterPath header;
    header.addRoundedRect(QRectF(0, 0, Width, HeaderHeight + CornerRadius), CornerRadius, CornerRadius);
    QPainterPath clip;
    clip.addRect(QRectF(0, 0, Width, HeaderHeight));
    painter->setPen(Qt::NoPen);
    painter->setBrush(accent);
    painter->drawPath(header.intersected(clip));

    QFont font = painter->font();
    font.setPixelSize(11);
    QFont bold = font;
    bold.setBold(true);
    // The block's own name first, its type below it.
    const QRectF idLine(Padding, 2, Width - 2 * Padding, 14);
    const QRectF typeLine(Padding, 15, Width - 2 * Padding, 12);
    painter->setPen(Qt::white);
    painter->setFont(bold);
    painter->drawText(
        idLine, Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetricsF(bold).elidedText(QString::fromStdString(_block.id), Qt::ElideMiddle, idLine.width()));
    QFont small = font;
    small.setPixelSize(10);
    painter->setFont(small);
    painter->setPen(QColor(255, 255, 255, 200));
    painter->drawText(typeLine, Qt::AlignVCenter | Qt::AlignLeft,
                      QFontMetricsF(small).elidedText(QString::fromStdString(_block.typeId), Qt::ElideRight,
                                                      typeLine.width()));

    painter->setFont(font);
    const double labelWidth = Width / 2 - Padding - PortRadius;
    for (const auto direction : {ActorPort::In, ActorPort::Out}) {
        for (const ActorPort* port : ports(direction)) {
            const QPointF at = portPosition(*port);
            const QColor color = typeColor(port->typeName);
            const bool in = direction == ActorPort::In;
            const QRectF label(in ? PortRadius + 4 : Width / 2, at.y() - RowHeight / 2, labelWidth,
                               RowHeight);
            painter->setPen(QColor(0x26, 0x32, 0x38));
            painter->drawText(label, Qt::AlignVCenter | (in ? Qt::AlignLeft : Qt::AlignRight),
                              QFontMetricsF(font).elidedText(QString::fromStdString(port->name),
                                                             Qt::ElideRight, label.width()));
            painter->setPen(QPen(Qt::white, 1.5));
            painter->setBrush(color);
            if (in) {
                painter->drawEllipse(at, PortRadius, PortRadius);
            } else {
                // Outputs are arrows pointing out of the block: where a link starts.
                QPolygonF arrow;
                arrow << at + QPointF(-PortRadius, -PortRadius - 0.5) << at + QPointF(PortRadius + 1, 0)
                      << at + QPointF(-PortRadius, PortRadius + 0.5);
                painter->drawPolygon(arrow);
            }
        }
    }

    if (_type && !_type->parameters().empty()) {
        double y = HeaderHeight + Padding / 2 + rows() * RowHeight;
        painter->setPen(QPen(QColor(0xe0, 0xe4, 0xe8), 1));
        painter->drawLine(QPointF(Padding, y + 1), QPointF(Width - Padding, y + 1));
        painter->setFont(small);
        for (const auto& parameter : _type->parameters()) {
            const auto set = _block.parameters.find(parameter.name);
            const std::string& value = set != _block.parameters.end() ? set->second : parameter.defaultText;
            const QRectF line(Padding + 2, y + 2, Width - 2 * Padding - 4, ParameterHeight);
            painter->setPen(QColor(0x60, 0x6b, 0x75));
            const QString text = QStringLiteral("%1 = %2").arg(QString::fromStdString(parameter.name),
                                                               QString::fromStdString(value));
            painter->drawText(line, Qt::AlignVCenter | Qt::AlignLeft,
                              QFontMetricsF(small).elidedText(text, Qt::ElideRight, line.width()));
            y += ParameterHeight;
        }
    }
}

QVariant BlockItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemPositionChange) {
        const auto& settings = lum::qt::gui::option::EditorSettings::singleton();
        if (settings.snapToGrid()) {
            const double grid = settings.gridSize();
            const QPointF wanted = value.toPointF();
            return QPointF(std::round(wanted.x() / grid) * grid, std::round(wanted.y() / grid) * grid);
        }
    } else if (change == ItemPositionHasChanged) {
        for (LinkItem* link : _links)
            link->updatePath();
        for (const auto& [port, label] : _values) {
            if (const ActorPort* found = _type->port(port))
                label->setPos(mapToScene(valuePosition(*found)));
        }
    }
    return QGraphicsItem::itemChange(change, value);
}

} // namespace lumlink::sdf
