#pragma once

#include <lumlink/EditorScene.h>
#include <QList>
#include <map>
#include <string>

namespace lumlink::sfc {

class ChartDocument;
class StepItem;
class TransitionItem;

// The scene of one sequence chart. Its items follow the document's chart; the gestures on it
// (drag steps, drag from a step's handle to another step) become edits of the document.
class SFCScene : public EditorScene
{
    Q_OBJECT

public:
    explicit SFCScene(ChartDocument* document, QObject* parent = nullptr);
    ~SFCScene() override;

    ChartDocument* document() const { return _document; }
    StepItem* stepItem(const std::string& name) const;
    // In the chart's order.
    QList<TransitionItem*> transitionItems() const { return _transitions; }

    // Deletes the selected steps and transitions as one step; nothing while protected.
    void deleteSelection();
    // The rectangle the chart's items cover, with a margin.
    QRectF chartRect() const;

public slots:
    // Brings the items in line with the chart.
    void synchronize();

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    bool isEditable() const override;
    // Steps can be dragged only while the project is not protected.
    void applyProtection() override;
    // A link starts at a step's handle.
    bool beginLink(const QPointF& scenePoint, QPointF* start, QColor* color) override;
    QPainterPath wirePath(const QPointF& start, const QPointF& end) const override;
    void finishLink(const QPointF& scenePoint) override;
    void finishMove() override;

private:
    StepItem* stepAt(const QPointF& scenePoint) const;
    void removeTransitionItems();

    ChartDocument* _document;
    std::map<std::string, StepItem*> _steps;
    QList<TransitionItem*> _transitions;
    // While a link is dragged out of a step's handle.
    StepItem* _linkSource = nullptr;
};

} // namespace lumlink::sfc
