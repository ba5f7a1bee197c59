#pragma once

#include <lumlink/EditorView.h>
#include <lumlink/sdf/model/Model.h>
#include <set>
#include <string>

namespace kirogen::model {
struct FunctionBlock;
}

namespace lumlink::sdf {

class BlockItem;
class DiagramDocument;
class Magnifier;
class SDFScene;

// The editor of one function-block diagram: shows it, zooms, and turns mouse and key gestures
// into commands on the document's undo stack. Read-only while the project is protected.
class SDFView : public EditorView
{
    Q_OBJECT

public:
    // The mime type of an actor type id dragged from the block palette.
    static const char* const ActorTypeMimeType;

    explicit SDFView(DiagramDocument* document, QWidget* parent = nullptr);

    DiagramDocument* document() const { return _document; }
    SDFScene* diagramScene() const { return _scene; }
    const model::Model& model() const { return _model; }

    // Places a new block of the type with its top left corner at the scene point (snapped to the
    // grid); false when protected or refused.
    bool placeBlock(const std::string& typeId, const QPointF& scenePoint);
    // Places it in the middle of what the view shows.
    bool placeBlockInView(const std::string& typeId);

    // Opens the parameter dialog of the block; false when protected, without parameters or
    // cancelled.
    bool editParameters(const std::string& blockId);

public slots:
    void setMagnifierEnabled(bool enabled);
    void deleteSelection() override;
    // Through the project's clipboard: copy holds the selected blocks and the links among
    // them; paste adds them with new ids beside the originals, selected, as one step; cut is a
    // copy and a delete as one step. Nothing of it while the project is protected.
    void cut();
    void copy();
    void paste();

signals:
    void statusMessage(const QString& message);

protected:
    QRectF programRect() const override;
    QString programName() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void translate();
    // A new block that names a global variable, device or device port names the project's
    // first one: a block naming nothing would not compile. The parameter dialog changes it.
    void nameFirstChoices(kirogen::model::FunctionBlock* block) const;
    // The block under the viewport point, or null.
    BlockItem* blockAt(const QPoint& point) const;
    std::set<std::string> selectedBlockIds() const;
    // Whether clipboard edits may go on; tells the user why not.
    bool clipboardUsable();

    DiagramDocument* _document;
    SDFScene* _scene;
    model::Model _model;
    Magnifier* _magnifier;
    bool _magnifierEnabled = false;
};

} // namespace lumlink::sdf
