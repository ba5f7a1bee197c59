#pragma once

#include <lumlink/EditorView.h>
#include <lumlink/sfc/model/Model.h>
#include <QStringList>
#include <string>

class QMenu;

namespace lumlink::sfc {

class ChartDocument;
class SFCScene;

// The editor of one sequence chart: shows it, zooms, and turns mouse and key gestures, its
// context menu and its dialogs into edits of the document, each one undo step. Read-only while
// the project is protected; it still scrolls and zooms then.
class SFCView : public EditorView
{
    Q_OBJECT

public:
    explicit SFCView(ChartDocument* document, QWidget* parent = nullptr);

    ChartDocument* document() const { return _document; }
    SFCScene* chartScene() const { return _scene; }
    const model::Model& model() const { return _model; }
    const std::string& chartName() const;

    // While the project runs: the steps it is in are highlighted, the others not.
    void setActiveSteps(const QStringList& names);

    // The menu a right click at the viewport point opens, owned by the caller: placing steps on
    // the empty chart; on a step or transition (which becomes the selection), what can be done
    // with it.
    QMenu* createContextMenu(const QPoint& viewportPoint);

public slots:
    void deleteSelection() override;
    void clearSelection();
    // The dialogs of a transition (by its index in the chart) and of a step.
    void editCondition(int transition);
    void editStep(const QString& step);
    // Emits diagramRequested() for the diagram the step runs, after making one for a step that
    // runs none yet.
    void openStepDiagram(const QString& step);
    void translate();

signals:
    // An edit refused, with the reason, for the status bar.
    void statusMessage(const QString& message);
    // The user asked to see the function-block diagram of that name.
    void diagramRequested(const QString& programName);

protected:
    QRectF programRect() const override;
    QString programName() const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ChartDocument* _document;
    SFCScene* _scene;
    model::Model _model;
};

} // namespace lumlink::sfc
