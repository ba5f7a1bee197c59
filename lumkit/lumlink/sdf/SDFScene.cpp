#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kirogen/sdf/CompiledDiagram.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/LinkItem.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/ValueLabel.h>
#include <lumlink/sdf/commands/AddLinkCommand.h>
#include <lumlink/sdf/commands/DeleteElementsCommand.h>
#include <lumlink/sdf/commands/MoveBlocksCommand.h>
#include <QGraphicsView>
#include <QPainter>
#include <QUndoStack>
#include <algorithm>
#include <set>

namespace lumlink::sdf {

using kirogen::sdf::ActorPort;
using lum::qt::gui::option::EditorSettings;

namespace {

std::string linkKey(const kirogen::model::DataLink& link)
{
    return link.fromBlock + '\n' + link.fromPort + '\n' + link.toBlock + '\n' + link.toPort;
}

} // namespace

SDFScene::SDFScene(DiagramDocument* document, QObject* parent) : EditorScene(parent), _document(document)
{
    connect(document, &DiagramDocument::diagramChanged, this, &SDFScene::synchronize);
    connect(document, &DiagramDocument::editRefused, this, &SDFScene::statusMessage);
    connect(&EditorSettings::singleton(), &EditorSettings::changed, this, [this] {
        // The grid may have changed: the views keep it in their background caches.
        for (QGraphicsView* view : views())
            view->resetCachedContent();
        update();
    });
    synchronize();
}

SDFScene::~SDFScene()
{
    clearOutputValues();
    for (const auto& [key, item] : _links)
        delete item;
    _links.clear();
}

BlockItem* SDFScene::blockItem(const std::string& id) const
{
    const auto found = _blocks.find(id);
    return found == _blocks.end() ? nullptr : found->second;
}

QList<LinkItem*> SDFScene::linkItems() const
{
    QList<LinkItem*> items;
    const auto diagram = _document->diagram();
    if (diagram) {
        for (const auto& link : diagram->links())
            items.append(_links.at(linkKey(link)));
    }
    return items;
}

void SDFScene::synchronize()
{
    const auto diagram = _document->diagram();
    std::set<std::string> blockIds;
    std::set<std::string> linkKeys;
    if (diagram) {
        for (const auto& block : diagram->blocks())
            blockIds.insert(block.id);
        for (const auto& link : diagram->links())
            linkKeys.insert(linkKey(link));
    }
    // An undo from the keyboard while a link is dragged may take away the block it starts at.
    if (_linkSource && !blockIds.count(_linkSource->block().id)) {
        cancelLink();
        _linkSource = nullptr;
    }
    // Links first: they hold on to their blocks.
    for (auto it = _links.begin(); it != _links.end();) {
        if (linkKeys.count(it->first)) {
            ++it;
            continue;
        }
        delete it->second;
        it = _links.erase(it);
    }
    for (auto it = _blocks.begin(); it != _blocks.end();) {
        if (blockIds.count(it->first)) {
            ++it;
            continue;
        }
        delete it->second;
        it = _blocks.erase(it);
    }
    if (!diagram)
        return;
    for (const auto& block : diagram->blocks()) {
        BlockItem*& item = _blocks[block.id];
        if (!item) {
            item = new BlockItem(block, kirogen::sdf::ActorTypeRegistry::singleton().get(block.typeId));
            addItem(item);
        } else if (item->block() != block || item->pos() != QPointF(block.position.x, block.position.y)) {
            item->setBlock(block);
        }
    }
    applyProtection();
    for (const auto& link : diagram->links()) {
        LinkItem*& item = _links[linkKey(link)];
        if (item) {
            item->updatePath();
            continue;
        }
        BlockItem* from = _blocks.at(link.fromBlock);
        const auto type = kirogen::sdf::ActorTypeRegistry::singleton().get(from->block().typeId);
        const ActorPort* output = type ? type->port(link.fromPort) : nullptr;
        item = new LinkItem(link, from, _blocks.at(link.toBlock),
                            BlockItem::typeColor(output ? output->typeName : std::string("any")));
        addItem(item);
    }
}

void SDFScene::nudgeSelection(int columns, int rows)
{
    if (_document->isProtected())
        return;
    const double grid = EditorSettings::singleton().gridSize();
    commands::MoveBlocksCommand::Moves moves;
    for (QGraphicsItem* item : selectedItems()) {
        if (auto* block = dynamic_cast<BlockItem*>(item)) {
            const kirogen::model::Position from = block->block().position;
            moves.emplace(block->block().id,
                          std::make_pair(
                              from, kirogen::model::Position{from.x + columns * grid, from.y + rows * grid}));
        }
    }
    if (!moves.empty())
        _document->undoStack()->push(new commands::MoveBlocksCommand(_document, moves, true));
}

void SDFScene::applyProtection()
{
    const bool editable = isEditable();
    for (const auto& [id, item] : _blocks)
        item->setFlag(QGraphicsItem::ItemIsMovable, editable);
}

QRectF SDFScene::diagramRect() const
{
    QRectF covered;
    for (const auto& [id, item] : _blocks)
        covered |= item->sceneBoundingRect();
    for (const auto& [key, item] : _links)
        covered |= item->sceneBoundingRect();
    return covered.adjusted(-20, -20, 20, 20);
}

void SDFScene::showOutputValues(const std::vector<kirogen::sdf::OutputPort>& ports,
                                const std::vector<lum::core::variant::Variant>& values, const QRectF& area)
{
    // A block's ports follow each other: one look-up per block.
    const std::string* blockId = nullptr;
    BlockItem* block = nullptr;
    bool inArea = false;
    const std::size_t count = std::min(ports.size(), values.size());
    for (std::size_t index = 0; index < count; ++index) {
        const kirogen::sdf::OutputPort& port = ports[index];
        if (!blockId || *blockId != port.block) {
            blockId = &port.block;
            block = blockItem(port.block);
            inArea = block && area.intersects(block->sceneBoundingRect());
        }
        if (block && (inArea || block->outputValue(port.port).isEmpty()))
            block->setOutputValue(port.port, ValueLabel::textOf(values[index]));
    }
}

void SDFScene::clearOutputValues()
{
    for (const auto& [id, item] : _blocks)
        item->clearOutputValues();
}

void SDFScene::deleteSelection()
{
    if (_document->isProtected())
        return;
    std::set<std::string> blocks;
    std::vector<kirogen::model::DataLink> links;
    for (QGraphicsItem* item : selectedItems()) {
        if (auto* block = dynamic_cast<BlockItem*>(item))
            blocks.insert(block->block().id);
        else if (auto* link = dynamic_cast<LinkItem*>(item))
            links.push_back(link->link());
    }
    if (blocks.empty() && links.empty())
        return;
    _document->undoStack()->push(new commands::DeleteElementsCommand(_document, blocks, links));
}

void SDFScene::drawBackground(QPainter* painter, const QRectF& rect)
{
    drawGrid(painter, rect, QColor(0xe9, 0xec, 0xf0), 5, QColor(0xd8, 0xdd, 0xe3));
}

const ActorPort* SDFScene::portAt(const QPointF& scenePoint, BlockItem** block) const
{
    for (QGraphicsItem* item : items(scenePoint, Qt::IntersectsItemBoundingRect)) {
        auto* candidate = dynamic_cast<BlockItem*>(item);
        const ActorPort* port = candidate ? candidate->portAt(scenePoint) : nullptr;
        if (port) {
            *block = candidate;
            return port;
        }
    }
    return nullptr;
}

bool SDFScene::isEditable() const
{
    return !_document->isProtected();
}

bool SDFScene::beginLink(const QPointF& scenePoint, QPointF* start, QColor* color)
{
    BlockItem* block = nullptr;
    const ActorPort* port = portAt(scenePoint, &block);
    if (!port || port->direction != ActorPort::Out)
        return false;
    _linkSource = block;
    _linkPort = port->name;
    *start = block->portScenePosition(_linkPort);
    *color = BlockItem::typeColor(port->typeName);
    return true;
}

QPainterPath SDFScene::wirePath(const QPointF& start, const QPointF& end) const
{
    return LinkItem::route(start, end);
}

void SDFScene::finishLink(const QPointF& scenePoint)
{
    BlockItem* source = _linkSource;
    _linkSource = nullptr;
    BlockItem* target = nullptr;
    const ActorPort* port = portAt(scenePoint, &target);
    if (!port || port->direction != ActorPort::In) {
        if (port)
            emit statusMessage(tr("A link ends on an input port"));
        return;
    }
    kirogen::model::DataLink link;
    link.fromBlock = source->block().id;
    link.fromPort = _linkPort;
    link.toBlock = target->block().id;
    link.toPort = port->name;
    _document->undoStack()->push(new commands::AddLinkCommand(_document, link));
}

void SDFScene::finishMove()
{
    commands::MoveBlocksCommand::Moves moves;
    for (const auto& [id, item] : _blocks) {
        const kirogen::model::Position from = item->block().position;
        const kirogen::model::Position to{item->pos().x(), item->pos().y()};
        if (from != to)
            moves.emplace(id, std::make_pair(from, to));
    }
    if (moves.empty())
        return;
    if (_document->isProtected()) {
        synchronize();
        return;
    }
    _document->undoStack()->push(new commands::MoveBlocksCommand(_document, moves, false));
    // A refused move leaves the items where the model has them.
    synchronize();
}

} // namespace lumlink::sdf
