#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/project/LiveView.h>
#include <lumlink/project/Simulation.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <lumlink/sdf/ValueLabel.h>
#include <lumlink/sfc/SFCView.h>
#include <QTabWidget>

namespace lumlink::project {

using lum::qt::gui::option::EditorSettings;

LiveView::LiveView(Simulation* simulation, QTabWidget* tabs)
    : QObject(tabs), _simulation(simulation), _tabs(tabs)
{
    connect(simulation, &Simulation::runsObserved, this, &LiveView::on_simulation_runsObserved);
    connect(simulation, &Simulation::stateChanged, this, &LiveView::on_simulation_stateChanged);
    connect(tabs, &QTabWidget::currentChanged, this, &LiveView::showCurrent);
    connect(&EditorSettings::singleton(), &EditorSettings::changed, this, &LiveView::showCurrent);
}

void LiveView::on_simulation_runsObserved(std::shared_ptr<const std::vector<kirogen::sim::RunSnapshot>> runs)
{
    _runs = std::move(runs);
    showCurrent();
}

void LiveView::on_simulation_stateChanged()
{
    if (_simulation->state() != Simulation::Stopped)
        return;
    _runs.reset();
    for (int index = 0; index < _tabs->count(); ++index)
        clear(_tabs->widget(index));
}

void LiveView::showCurrent()
{
    if (QWidget* editor = _tabs->currentWidget())
        _runs ? show(editor) : clear(editor);
}

void LiveView::show(QWidget* editor) const
{
    if (auto* chart = qobject_cast<sfc::SFCView*>(editor)) {
        QStringList active;
        for (const auto& run : *_runs) {
            if (run.chart == chart->chartName())
                active.append(QString::fromStdString(run.activeStep));
        }
        chart->setActiveSteps(active);
        return;
    }
    auto* diagram = qobject_cast<sdf::SDFView*>(editor);
    if (!diagram)
        return;
    sdf::SDFScene* scene = diagram->diagramScene();
    const kirogen::sim::RunSnapshot* shown = nullptr;
    if (EditorSettings::singleton().showValuesWhileSimulating()) {
        for (const auto& run : *_runs) {
            if (run.diagram == diagram->document()->diagramName() && run.ports) {
                shown = &run;
                break;
            }
        }
    }
    // A diagram that no active step runs has no current values.
    if (!shown) {
        scene->clearOutputValues();
        return;
    }
    // Far out the tags are marks without text, and what lies outside the window is not seen:
    // neither is brought up to date until it can be read.
    const QRectF visible = diagram->mapToScene(diagram->viewport()->rect()).boundingRect();
    scene->showOutputValues(*shown->ports, shown->values,
                            diagram->zoom() >= sdf::ValueLabel::ReadableZoom ? visible : QRectF());
}

void LiveView::clear(QWidget* editor) const
{
    if (auto* chart = qobject_cast<sfc::SFCView*>(editor))
        chart->setActiveSteps(QStringList());
    else if (auto* diagram = qobject_cast<sdf::SDFView*>(editor))
        diagram->diagramScene()->clearOutputValues();
}

} // namespace lumlink::project
