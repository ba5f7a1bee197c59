#include <kirogen/model/SfcModel.h>
#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/SFCScene.h>
#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QPainter>
#include <set>
#include <tuple>

namespace lumlink::sfc {

using lum::qt::gui::option::EditorSettings;

namespace {

using TransitionKey = std::tuple<std::string, std::string, std::string>;

TransitionKey keyOf(const kirogen::model::SfcTransition& transition)
{
    return {transition.from, transition.to, transition.condition};
}

} // namespace

SFCScene::SFCScene(ChartDocument* document, QObject* parent) : EditorScene(parent), _document(document)
{
    connect(document, &ChartDocument::chartChanged, this, &SFCScene::synchronize);
    connect(&EditorSettings::singleton(), &EditorSettings::changed, this, [this] { update(); });
    synchronize();
}

SFCScene::~SFCScene()
{
    // Transitions hold on to their steps: they go first.
    removeTransitionItems();
}

StepItem* SFCScene::stepItem(const std::string& name) const
{
    const auto found = _steps.find(name);
    return found == _steps.end() ? nullptr : found->second;
}

void SFCScene::removeTransitionItems()
{
    qDeleteAll(_transitions);
    _transitions.clear();
}

void SFCScene::synchronize()
{
    // A link being dragged while the chart changes (an undo from the keyboard) may lose its step.
    cancelLink();
    _linkSource = nullptr;
    const auto chart = _document->chart();
    // Transitions carry no identity of their own: they are made anew, and those that were
    // selected are selected again.
    std::set<TransitionKey> selected;
    for (const TransitionItem* item : _transitions) {
        if (item->isSelected())
            selected.insert(keyOf(item->transition()));
    }
    removeTransitionItems();
    std::set<std::string> names;
    if (chart) {
        for (const auto& step : chart->steps())
            names.insert(step.name);
    }
    for (auto it = _steps.begin(); it != _steps.end();) {
        if (names.count(it->first)) {
            ++it;
            continue;
        }
        delete it->second;
        it = _steps.erase(it);
    }
    if (!chart)
        return;
    for (const auto& step : chart->steps()) {
        StepItem*& item = _steps[step.name];
        if (!item) {
            item = new StepItem(step);
            addItem(item);
        } else if (item->step() != step || item->pos() != QPointF(step.position.x, step.position.y)) {
            item->setStep(step);
        }
    }
    const auto& transitions = chart->transitions();
    for (std::size_t i = 0; i < transitions.size(); ++i) {
        auto* item = new TransitionItem(transitions[i], i, _steps.at(transitions[i].from),
                                        _steps.at(transitions[i].to));
        addItem(item);
        item->setSelected(selected.count(keyOf(transitions[i])) > 0);
        _transitions.append(item);
    }
    applyProtection();
}

void SFCScene::applyProtection()
{
    const bool editable = isEditable();
    for (const auto& [name, item] : _steps)
        item->setFlag(QGraphicsItem::ItemIsMovable, editable);
}

QRectF SFCScene::chartRect() const
{
    QRectF covered;
    for (const auto& [name, item] : _steps)
        covered |= item->sceneBoundingRect();
    for (const TransitionItem* item : _transitions)
        covered |= item->sceneBoundingRect();
    return covered.adjusted(-20, -20, 20, 20);
}

void SFCScene::deleteSelection()
{
    std::set<std::string> steps;
    std::set<std::size_t> transitions;
    for (QGraphicsItem* item : selectedItems()) {
        if (auto* step = dynamic_cast<StepItem*>(item))
            steps.insert(step->step().name);
        else if (auto* transition = dynamic_cast<TransitionItem*>(item))
            transitions.insert(transition->index());
    }
    if (!steps.empty() || !transitions.empty())
        _document->remove(steps, transitions);
}

void SFCScene::drawBackground(QPainter* painter, const QRectF& rect)
{
    drawGrid(painter, rect, QColor(0xec, 0xef, 0xf2));
}

StepItem* SFCScene::stepAt(const QPointF& scenePoint) const
{
    for (QGraphicsItem* item : items(scenePoint)) {
        if (auto* step = dynamic_cast<StepItem*>(item))
            return step;
    }
    return nullptr;
}

bool SFCScene::isEditable() const
{
    return !_document->isProtected();
}

bool SFCScene::beginLink(const QPointF& scenePoint, QPointF* start, QColor* color)
{
    for (const auto& [name, step] : _steps) {
        if (step->isOnLinkHandle(scenePoint)) {
            _linkSource = step;
            *start = step->bottom();
            *color = QColor(0x1e, 0x88, 0xe5);
            return true;
        }
    }
    return false;
}

QPainterPath SFCScene::wirePath(const QPointF& start, const QPointF& end) const
{
    QPainterPath path(start);
    path.lineTo(end);
    return path;
}

void SFCScene::finishLink(const QPointF& scenePoint)
{
    StepItem* source = _linkSource;
    _linkSource = nullptr;
    StepItem* target = stepAt(scenePoint);
    // Released on the handle it started from: no link meant.
    if (!target || target == source)
        return;
    _document->addTransition(source->step().name, target->step().name);
}

void SFCScene::finishMove()
{
    std::map<std::string, kirogen::model::Position> positions;
    for (const auto& [name, item] : _steps) {
        const kirogen::model::Position to{item->pos().x(), item->pos().y()};
        if (to != item->step().position)
            positions.emplace(name, to);
    }
    if (positions.empty())
        return;
    _document->moveSteps(positions);
    // A refused move leaves the items where the model has them.
    synchronize();
}

} // namespace lumlink::sfc
