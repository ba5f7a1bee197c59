#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/ConditionDialog.h>
#include <lumlink/sfc/SFCScene.h>
#include <lumlink/sfc/SFCView.h>
#include <lumlink/sfc/StepDialog.h>
#include <lumlink/sfc/StepItem.h>
#include <lumlink/sfc/TransitionItem.h>
#include <QContextMenuEvent>
#include <QMenu>

namespace lumlink::sfc {

namespace {

QAction* addEntry(QMenu* menu, const char* objectName, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    return action;
}

} // namespace

SFCView::SFCView(ChartDocument* document, QWidget* parent)
    : EditorView(parent), _document(document), _scene(new SFCScene(document, this)), _model(document, _scene)
{
    setScene(_scene);
    connect(document, &ChartDocument::editRefused, this, &SFCView::statusMessage);
    connect(document, &ChartDocument::nameChanged, this, &SFCView::translate);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &SFCView::translate);
    translate();
}

void SFCView::translate()
{
    setAccessibleName(tr("Sequence chart %1").arg(programName()));
}

QRectF SFCView::programRect() const
{
    return _scene->chartRect();
}

QString SFCView::programName() const
{
    return QString::fromStdString(_document->chartName());
}

const std::string& SFCView::chartName() const
{
    return _document->chartName();
}

void SFCView::setActiveSteps(const QStringList& names)
{
    for (QGraphicsItem* item : scene()->items()) {
        if (auto* step = dynamic_cast<StepItem*>(item))
            step->setActive(names.contains(QString::fromStdString(step->step().name)));
    }
}

void SFCView::deleteSelection()
{
    _scene->deleteSelection();
}

void SFCView::clearSelection()
{
    _scene->clearSelection();
}

void SFCView::editCondition(int index)
{
    const auto chart = _document->chart();
    if (!chart || index < 0 || static_cast<std::size_t>(index) >= chart->transitions().size() ||
        _document->isProtected())
        return;
    const kirogen::model::SfcTransition& transition = chart->transitions()[static_cast<std::size_t>(index)];
    ConditionDialog dialog(_document, QString::fromStdString(transition.from),
                           QString::fromStdString(transition.to),
                           QString::fromStdString(transition.condition), this);
    if (dialog.exec() == QDialog::Accepted)
        _document->setCondition(static_cast<std::size_t>(index), dialog.condition().toStdString());
}

void SFCView::editStep(const QString& name)
{
    const auto chart = _document->chart();
    const kirogen::model::SfcStep* step = chart ? chart->step(name.toStdString()) : nullptr;
    if (!step || _document->isProtected())
        return;
    QStringList otherSteps;
    for (const auto& each : chart->steps()) {
        if (each.name != step->name)
            otherSteps.append(QString::fromStdString(each.name));
    }
    QStringList diagrams;
    for (const auto& [diagramName, diagram] : _document->project()->diagrams())
        diagrams.append(QString::fromStdString(diagramName));
    StepDialog dialog(name, QString::fromStdString(step->diagram), otherSteps, diagrams, this);
    if (dialog.exec() == QDialog::Accepted)
        _document->editStep(step->name, dialog.name().toStdString(), dialog.diagram().toStdString());
}

void SFCView::openStepDiagram(const QString& step)
{
    const std::string diagram = _document->diagramOfStep(step.toStdString());
    if (!diagram.empty())
        emit diagramRequested(QString::fromStdString(diagram));
}

QMenu* SFCView::createContextMenu(const QPoint& viewportPoint)
{
    auto* menu = new QMenu(this);
    menu->setAccessibleName(tr("Sequence chart"));
    const QPointF scenePoint = mapToScene(viewportPoint);
    QGraphicsItem* item = itemAt(viewportPoint);
    // A right click on an item that is not selected acts on that item alone.
    if (item && !item->isSelected()) {
        _scene->clearSelection();
        item->setSelected(true);
    }
    const bool editable = !_document->isProtected();
    if (auto* stepItem = dynamic_cast<StepItem*>(item)) {
        const QString name = QString::fromStdString(stepItem->step().name);
        const bool runsDiagram = !stepItem->step().diagram.empty();
        QAction* open = addEntry(
            menu, "openDiagramAction",
            runsDiagram ? tr("&Open Diagram %1").arg(QString::fromStdString(stepItem->step().diagram))
                        : tr("&New Diagram for This Step"));
        open->setEnabled(runsDiagram || editable);
        connect(open, &QAction::triggered, this, [this, name] { openStepDiagram(name); });
        if (editable) {
            QAction* edit = addEntry(menu, "editStepAction", tr("&Step Properties..."));
            connect(edit, &QAction::triggered, this, [this, name] { editStep(name); });
            QAction* initial = addEntry(menu, "initialStepAction", tr("&Initial Step"));
            initial->setCheckable(true);
            initial->setChecked(stepItem->step().initial);
            initial->setEnabled(!stepItem->step().initial);
            connect(initial, &QAction::triggered, this,
                    [this, name] { _document->setInitialStep(name.toStdString()); });
            QAction* append = addEntry(menu, "appendStepAction", tr("&Append Step"));
            connect(append, &QAction::triggered, this,
                    [this, name] { _document->appendStep(name.toStdString()); });
        }
    } else if (auto* transitionItem = dynamic_cast<TransitionItem*>(item)) {
        if (editable) {
            const int index = static_cast<int>(transitionItem->index());
            QAction* edit = addEntry(menu, "editConditionAction", tr("Edit &Condition..."));
            connect(edit, &QAction::triggered, this, [this, index] { editCondition(index); });
        }
    } else if (editable) {
        QAction* add = addEntry(menu, "addStepAction", tr("&Add Step Here"));
        connect(add, &QAction::triggered, this, [this, scenePoint] {
            _document->addStep({scenePoint.x(), scenePoint.y()});
        });
    }
    if (editable && item) {
        menu->addSeparator();
        QAction* remove = addEntry(menu, "deleteAction", tr("&Delete"));
        remove->setShortcut(QKeySequence::Delete);
        connect(remove, &QAction::triggered, this, &SFCView::deleteSelection);
    }
    menu->addSeparator();
    QAction* all = addEntry(menu, "selectAllAction", tr("Select &All"));
    connect(all, &QAction::triggered, this, &SFCView::selectAll);
    return menu;
}

void SFCView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void SFCView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        QGraphicsItem* item = itemAt(event->pos());
        if (auto* step = dynamic_cast<StepItem*>(item)) {
            openStepDiagram(QString::fromStdString(step->step().name));
            event->accept();
            return;
        }
        if (auto* transition = dynamic_cast<TransitionItem*>(item)) {
            editCondition(static_cast<int>(transition->index()));
            event->accept();
            return;
        }
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

} // namespace lumlink::sfc
