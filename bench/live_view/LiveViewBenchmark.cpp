// The GUI thread's share of one core while the workbench simulates a project with its diagram
// open: the simulation's polls alone, or with the live view drawing the values into the editor,
// the view fitted to the whole diagram or at 100 %.
//
//   bench_live_view <project.tkp2> [seconds] [--no-live] [--zoom fit|100] [--grab picture.png]
//                   [--pdf diagram.pdf]
//
// --pdf exports the diagram at the end, after the editor has shown it for the whole run, to
// check that the page still holds its texts as texts (pdftotext).
//
// The project's first chart is run; the editor shows the diagram of its initial step. Data
// types, units, devices and schemas come from the data tree beside bin/.

#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kirogen/sim/Execution.h>
#include <lumlink/project/LiveView.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/Simulation.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <util/XmlSerializer.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Counts the repaints of the editor's viewport.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    bool live = true;
    QString zoom = "fit";
    QString grab;
    QString pdf;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--no-live")
            live = false;
        else if (args[i] == "--zoom" && i + 1 < args.size())
            zoom = args[++i];
        else if (args[i] == "--grab" && i + 1 < args.size())
            grab = args[++i];
        else if (args[i] == "--pdf" && i + 1 < args.size())
            pdf = args[++i];
        else
            positional.append(args[i]);
    }
    if (positional.isEmpty()) {
        std::fprintf(stderr, "usage: bench_live_view <project.tkp2> [seconds] [--no-live] [--zoom fit|100] "
                             "[--grab picture.png] [--pdf diagram.pdf]\n");
        return 2;
    }
    const double seconds = positional.size() > 1 ? positional[1].toDouble() : 10;

    const std::string root = (QCoreApplication::applicationDirPath() + "/..").toStdString();
    kirogen::singletons_init(nullptr, "UTF-8");
    util::XmlSerializer::addGlobalEntityResolverSearchPath(root + "/schema");
    kirogen::model::TypeRegistry::loadTypes(root + "/config/types.xml");
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(root + "/units");
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(root + "/devices");

    QMap<int, QString> tabs;
    int current = -1;
    lumlink::project::Project* project = lumlink::project::Manager::singleton().createProjectFromFile(
        QFileInfo(positional[0]), &tabs, &current);
    if (!project || project->kirogenProject()->sfcModels().empty()) {
        std::fprintf(stderr, "could not open %s, or it has no chart\n", qPrintable(positional[0]));
        return 1;
    }
    const auto model = project->kirogenProject();
    const std::string diagram = model->sfcModels().front()->initialStep()->diagram;
    lumlink::sdf::DiagramDocument document(model, diagram, project->undoStack());
    QTabWidget window;
    auto* view = new lumlink::sdf::SDFView(&document);
    window.addTab(view, QString::fromStdString(diagram));
    window.resize(1280, 800);
    window.show();
    if (zoom == "fit")
        view->fit();
    else
        view->centerOn(view->diagramScene()->diagramRect().topLeft() + QPointF(600, 350));
    if (live)
        new lumlink::project::LiveView(project->simulation(), &window);
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    int polls = 0;
    // Counted only beside the live view: a listener makes the simulation take its snapshots.
    if (live)
        QObject::connect(project->simulation(), &lumlink::project::Simulation::runsObserved, &window,
                         [&polls] { ++polls; });

    lumlink::project::Simulation* simulation = project->simulation();
    simulation->startMain();
    if (simulation->state() != lumlink::project::Simulation::Running) {
        std::fprintf(stderr, "the simulation did not start\n");
        return 1;
    }
    // Settle: the first values and the first full repaint are not the steady state.
    QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    app.exec();

    counter.paints = 0;
    polls = 0;
    const double cpuBefore = threadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = threadCpuSeconds() - cpuBefore;
    const double elapsed = wall.nsecsElapsed() / 1e9;

    std::printf("%s, %zu blocks, live view %s, zoom %s, %.1f s (%s)\n",
                qPrintable(QFileInfo(positional[0]).fileName()),
                model->diagram(diagram) ? model->diagram(diagram)->blocks().size() : std::size_t(0),
                live ? "on" : "off", qPrintable(zoom), elapsed, qPrintable(QGuiApplication::platformName()));
    std::printf("  GUI thread CPU            %8.1f ms  = %5.2f %% of one core\n", cpu * 1000,
                100 * cpu / elapsed);
    std::printf("  polls seen / viewport paints %d / %d\n", polls, counter.paints);
    if (!grab.isEmpty() && !view->grab().save(grab))
        std::fprintf(stderr, "could not write %s\n", qPrintable(grab));
    QString error;
    if (!pdf.isEmpty() && !view->exporter().toPdf(pdf, &error))
        std::fprintf(stderr, "could not export %s: %s\n", qPrintable(pdf), qPrintable(error));
    simulation->terminate();
    lumlink::project::Manager::singleton().closeProject();
    kirogen::singletons_done();
    return 0;
}
