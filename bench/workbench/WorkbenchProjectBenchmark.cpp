// The workbench's project opening side by side with the runtime kit's own load of the same file
// (document plus Project::create, as bench_project_load measures it), and the undo and redo of
// many edits of that project.
//
//   bench_workbench_project <project.tkp2> [runs] [edits]
//
// Data types, units, devices and schemas come from the data tree beside bin/.

#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile99(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() * 99 / 100];
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double kitLoadMs(const std::string& path)
{
    QElapsedTimer timer;
    timer.start();
    util::xml::DocumentPtr doc(util::XmlSerializer().load(path, true));
    auto project = kirogen::model::Project::create(
        doc->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
    doc.reset();
    const double ms = timer.nsecsElapsed() / 1e6;
    project.reset();
    return ms;
}

double workbenchOpenMs(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QMap<int, QString> tabs;
    int current = -1;
    lumlink::project::Project* project =
        lumlink::project::Manager::singleton().createProjectFromFile(QFileInfo(path), &tabs, &current);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!project)
        std::fprintf(stderr, "could not open %s\n", qPrintable(path));
    // The project replaced before goes now, outside the measured time.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_workbench_project <project.tkp2> [runs] [edits]\n");
        return 2;
    }
    const QString path = args[1];
    const int runs = args.size() > 2 ? args[2].toInt() : 11;
    const int edits = args.size() > 3 ? args[3].toInt() : 1000;

    const std::string root = (QCoreApplication::applicationDirPath() + "/..").toStdString();
    kirogen::singletons_init(nullptr, "UTF-8");
    util::XmlSerializer::addGlobalEntityResolverSearchPath(root + "/schema");
    kirogen::model::TypeRegistry::loadTypes(root + "/config/types.xml");
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(root + "/units");
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(root + "/devices");

    // Alternating, so that both see the same state of the machine.
    workbenchOpenMs(path);
    kitLoadMs(path.toStdString());
    std::vector<double> kit, workbench;
    for (int i = 0; i < runs; ++i) {
        kit.push_back(kitLoadMs(path.toStdString()));
        workbench.push_back(workbenchOpenMs(path));
    }
    const double kitMedian = median(kit);
    const double workbenchMedian = median(workbench);
    std::printf("open %s, %d runs (median / min ms)\n", qPrintable(QFileInfo(path).fileName()), runs);
    std::printf("  runtime kit load          %8.1f / %8.1f\n", kitMedian,
                *std::min_element(kit.begin(), kit.end()));
    std::printf("  createProjectFromFile     %8.1f / %8.1f   (%.2f x the kit)\n", workbenchMedian,
                *std::min_element(workbench.begin(), workbench.end()), workbenchMedian / kitMedian);

    // Edits of the large project: each changes a variable's initial value.
    lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    if (!project)
        return 1;
    std::vector<QString> names;
    for (const auto& entry : project->kirogenProject()->globalVariables()) {
        if (entry.second->typeName() == "int")
            names.push_back(QString::fromStdString(std::string(entry.first)));
        if (static_cast<int>(names.size()) == edits)
            break;
    }
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        project->setGlobalVariableValue(names[i], QString::number(i));
    QUndoStack* stack = project->undoStack();
    // Wall time per step, and the thread's CPU time beside it: on a busy machine a slow step
    // with little CPU time was waiting for a core, not working.
    std::vector<double> undo, redo, undoCpu, redoCpu;
    QElapsedTimer timer;
    while (stack->canUndo()) {
        const double cpu = threadCpuMs();
        timer.start();
        stack->undo();
        undo.push_back(timer.nsecsElapsed() / 1e6);
        undoCpu.push_back(threadCpuMs() - cpu);
    }
    while (stack->canRedo()) {
        const double cpu = threadCpuMs();
        timer.start();
        stack->redo();
        redo.push_back(timer.nsecsElapsed() / 1e6);
        redoCpu.push_back(threadCpuMs() - cpu);
    }
    std::printf("%zu edits of %zu variables (median / 99th percentile / max ms per step)\n", undo.size(),
                project->kirogenProject()->globalVariables().size());
    std::printf("  undo                      %8.4f / %8.4f / %8.4f   cpu %8.4f / %8.4f / %8.4f\n",
                median(undo), percentile99(undo), *std::max_element(undo.begin(), undo.end()),
                median(undoCpu), percentile99(undoCpu), *std::max_element(undoCpu.begin(), undoCpu.end()));
    std::printf("  redo                      %8.4f / %8.4f / %8.4f   cpu %8.4f / %8.4f / %8.4f\n",
                median(redo), percentile99(redo), *std::max_element(redo.begin(), redo.end()),
                median(redoCpu), percentile99(redoCpu), *std::max_element(redoCpu.begin(), redoCpu.end()));
    lumlink::project::Manager::singleton().closeProject();
    kirogen::singletons_done();
    return 0;
}
