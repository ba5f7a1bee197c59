#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/sdf/BlockFragment.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/LinkItem.h>
#include <lumlink/sdf/Magnifier.h>
#include <lumlink/sdf/ParameterDialog.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sdf/commands/DeleteElementsCommand.h>
#include <lumlink/sdf/commands/PasteBlocksCommand.h>
#include <lumlink/sdf/commands/PlaceBlockCommand.h>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <set>

namespace lumlink::sdf {

const char* const SDFView::ActorTypeMimeType = "application/x-tavview-actor-type";

SDFView::SDFView(DiagramDocument* document, QWidget* parent)
    : EditorView(parent), _document(document), _scene(new SDFScene(document, this)), _model(document, _scene),
      _magnifier(new Magnifier(this))
{
    setScene(_scene);
    setViewportUpdateMode(SmartViewportUpdate);
    // The live view's tags change many small areas a few times a second; the grid under them is
    // copied from the cache instead of drawn line by line through their outline.
    setCacheMode(CacheBackground);
    setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    connect(_scene, &SDFScene::statusMessage, this, &SDFView::statusMessage);
    connect(document, &DiagramDocument::nameChanged, this, &SDFView::translate);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &SDFView::translate);
    translate();
}

void SDFView::translate()
{
    setAccessibleName(tr("Function-block diagram %1").arg(programName()));
}

QRectF SDFView::programRect() const
{
    return _scene->diagramRect();
}

QString SDFView::programName() const
{
    return QString::fromStdString(_document->diagramName());
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
    nameFirstChoices(&block);
    _document->undoStack()->push(new commands::PlaceBlockCommand(_document, block));
    // The stack's count says nothing after an undo: the new step replaces the undone one.
    const auto diagram = _document->diagram();
    return diagram && diagram->block(block.id);
}

void SDFView::nameFirstChoices(kirogen::model::FunctionBlock* block) const
{
    using Reference = kirogen::sdf::ActorParameter::Reference;
    const auto type = kirogen::sdf::ActorTypeRegistry::singleton().get(block->typeId);
    if (!type)
        return;
    const auto& project = *_document->project();
    std::shared_ptr<kirogen::device::model::DeviceInstance> device;
    for (const auto& parameter : type->parameters()) {
        if (parameter.reference == Reference::GlobalVariable && !project.globalVariables().empty())
            block->parameters[parameter.name] = std::string(project.globalVariables().begin()->first);
        if (parameter.reference == Reference::Device && !project.devices().empty()) {
            device = project.devices().front();
            block->parameters[parameter.name] = device->instanceName();
        }
    }
    for (const auto& parameter : type->parameters()) {
        const bool input = parameter.reference == Reference::DeviceInput;
        if (!device || (!input && parameter.reference != Reference::DeviceOutput))
            continue;
        for (const auto& port : device->deviceType()->ports()) {
            if ((port.direction == kirogen::device::model::DevicePort::Direction::In) == input) {
                block->parameters[parameter.name] = port.name;
                break;
            }
        }
    }
}

bool SDFView::placeBlockInView(const std::string& typeId)
{
    return placeBlock(typeId, mapToScene(viewport()->rect().center()));
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

bool SDFView::clipboardUsable()
{
    if (_document->isProtected()) {
        emit statusMessage(tr("The project is protected: enter its password to change it."));
        return false;
    }
    return _document->workbenchProject() != nullptr;
}

std::set<std::string> SDFView::selectedBlockIds() const
{
    std::set<std::string> blocks;
    for (QGraphicsItem* item : _scene->selectedItems()) {
        if (auto* block = dynamic_cast<BlockItem*>(item))
            blocks.insert(block->block().id);
    }
    return blocks;
}

void SDFView::copy()
{
    const std::set<std::string> blocks = selectedBlockIds();
    if (!clipboardUsable() || blocks.empty())
        return;
    _document->workbenchProject()->setClipboard(
        BlockFragment::copy(*_document->project(), *_document->diagram(), blocks).toXml());
}

void SDFView::cut()
{
    const std::set<std::string> blocks = selectedBlockIds();
    if (!clipboardUsable() || blocks.empty())
        return;
    copy();
    auto* command = new commands::DeleteElementsCommand(_document, blocks, {});
    command->setText(tr("Cut %n block(s)", nullptr, static_cast<int>(blocks.size())));
    _document->undoStack()->push(command);
}

void SDFView::paste()
{
    if (!clipboardUsable() || _document->workbenchProject()->isClipboardEmpty())
        return;
    BlockFragment fragment;
    QString error;
    if (!BlockFragment::fromXml(_document->workbenchProject()->clipboard(), &fragment, &error)) {
        emit statusMessage(error);
        return;
    }
    if (fragment.isEmpty())
        return;
    // Devices are the project's own: a paste never makes one up.
    if (const BlockFragment::DeviceUse* device = fragment.deviceMissingFrom(*_document->project())) {
        emit statusMessage(
            tr("The pasted blocks use the device %1 of type %2, which this project does not have")
                .arg(QString::fromStdString(device->name), QString::fromStdString(device->typeId)));
        return;
    }
    for (const auto& block : fragment.blocks()) {
        if (!kirogen::sdf::ActorTypeRegistry::singleton().get(block.typeId)) {
            emit statusMessage(
                tr("The pasted block %1 has the type %2, which is not loaded")
                    .arg(QString::fromStdString(block.id), QString::fromStdString(block.typeId)));
            return;
        }
    }
    fragment.placeInto(*_document->diagram(), lum::qt::gui::option::EditorSettings::singleton().gridSize());
    const auto variables = fragment.variablesMissingFrom(*_document->project());
    std::set<std::string> pasted;
    for (const auto& block : fragment.blocks())
        pasted.insert(block.id);
    _document->undoStack()->push(new commands::PasteBlocksCommand(_document, std::move(fragment), variables));
    if (!_document->diagram()->block(*pasted.begin()))
        return;
    _scene->clearSelection();
    for (QGraphicsItem* item : _scene->items()) {
        if (auto* block = dynamic_cast<BlockItem*>(item))
            block->setSelected(pasted.count(block->block().id) > 0);
        else if (auto* link = dynamic_cast<LinkItem*>(item))
            link->setSelected(pasted.count(link->link().fromBlock) > 0);
    }
}

bool SDFView::editParameters(const std::string& blockId)
{
    const auto diagram = _document->diagram();
    const auto* block = diagram ? diagram->block(blockId) : nullptr;
    if (!block)
        return false;
    if (_document->isProtected()) {
        emit statusMessage(tr("The project is protected: enter its password to change it."));
        return false;
    }
    const auto type = kirogen::sdf::ActorTypeRegistry::singleton().get(block->typeId);
    if (!type || type->parameters().empty()) {
        emit statusMessage(tr("Block %1 has no parameters").arg(QString::fromStdString(blockId)));
        return false;
    }
    ParameterDialog dialog(_document, blockId, this);
    return dialog.exec() == QDialog::Accepted;
}

BlockItem* SDFView::blockAt(const QPoint& point) const
{
    for (QGraphicsItem* item : items(point)) {
        if (auto* block = dynamic_cast<BlockItem*>(item))
            return block;
    }
    return nullptr;
}

void SDFView::mouseDoubleClickEvent(QMouseEvent* event)
{
    BlockItem* block = event->button() == Qt::LeftButton ? blockAt(event->pos()) : nullptr;
    if (!block) {
        QGraphicsView::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    editParameters(block->block().id);
}

void SDFView::contextMenuEvent(QContextMenuEvent* event)
{
    BlockItem* block = blockAt(event->pos());
    if (block && !block->isSelected()) {
        _scene->clearSelection();
        block->setSelected(true);
    }
    const bool editable = !_document->isProtected();
    const bool selection = !_scene->selectedItems().isEmpty();
    const bool clipboard = editable && _document->workbenchProject();
    QMenu menu(this);
    menu.setAccessibleName(tr("Diagram menu"));
    if (block) {
        const std::string id = block->block().id;
        QAction* parameters = menu.addAction(tr("&Parameters..."), this, [this, id] { editParameters(id); });
        parameters->setEnabled(editable);
        menu.addSeparator();
    }
    menu.addAction(tr("Cu&t"), this, &SDFView::cut)->setEnabled(clipboard && selection);
    menu.addAction(tr("&Copy"), this, &SDFView::copy)->setEnabled(clipboard && selection);
    menu.addAction(tr("&Paste"), this, &SDFView::paste)
        ->setEnabled(clipboard && !_document->workbenchProject()->isClipboardEmpty());
    menu.addAction(tr("&Delete"), this, &SDFView::deleteSelection)->setEnabled(editable && selection);
    menu.addSeparator();
    menu.addAction(tr("Select &all"), this, &SDFView::selectAll);
    menu.exec(event->globalPos());
}

void SDFView::keyPressEvent(QKeyEvent* event)
{
    // Reached only where no window action holds these shortcuts.
    const std::pair<QKeySequence::StandardKey, void (SDFView::*)()> edits[] = {
        {QKeySequence::Cut, &SDFView::cut},
        {QKeySequence::Copy, &SDFView::copy},
        {QKeySequence::Paste, &SDFView::paste}};
    for (const auto& [key, edit] : edits) {
        if (event->matches(key)) {
            (this->*edit)();
            event->accept();
            return;
        }
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
        EditorView::keyPressEvent(event);
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

} // namespace lumlink::sdf
