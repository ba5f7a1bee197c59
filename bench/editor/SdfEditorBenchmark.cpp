// The function-block editor on a generated diagram of 1,000 blocks and 1,500 links: opening it
// up to its first painted frame, repainting the fitted view, and dragging 100 selected blocks
// frame by frame (each frame: the mouse move, the scene's update and the repaint it causes);
// and opening it as a user does, through the program view's tab (project::View::on_raiseView).
//
//   QT_QPA_PLATFORM=offscreen bench_sdf_editor [runs] [width height]
//
// Data types and units come from the source tree's dist/. Wall time is what a user sees; the
// GUI thread's CPU time beside it tells the editor's own work from a busy machine's waiting.

#include <kirogen/Singletons.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/View.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <util/XmlSerializer.h>
#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTabBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int Columns = 40;
constexpr int Rows = 25;
constexpr char DiagramName[] = "generated";

// Wall and GUI-thread CPU milliseconds of one measured piece.
struct Sample
{
    double wall;
    double cpu;
};

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class Stopwatch
{
public:
    Stopwatch() : _wall(std::chrono::steady_clock::now()), _cpu(threadCpuMs()) {}
    Sample elapsed() const
    {
        return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - _wall).count(),
                threadCpuMs() - _cpu};
    }

private:
    std::chrono::steady_clock::time_point _wall;
    double _cpu;
};

void report(const char* what, std::vector<Sample> samples)
{
    const auto stats = [&samples](double Sample::*field) {
        std::vector<double> values;
        for (const Sample& sample : samples)
            values.push_back(sample.*field);
        std::sort(values.begin(), values.end());
        return std::array<double, 3>{values[values.size() / 2], values[values.size() * 95 / 100],
                                     values.back()};
    };
    const auto wall = stats(&Sample::wall);
    const auto cpu = stats(&Sample::cpu);
    std::printf("  %-34s %4zu x  wall %7.2f / %7.2f / %7.2f   cpu %7.2f / %7.2f / %7.2f\n", what,
                samples.size(), wall[0], wall[1], wall[2], cpu[0], cpu[1], cpu[2]);
}

std::string blockId(int column, int row)
{
    return "b" + std::to_string(column) + "_" + std::to_string(row);
}

// A grid of Columns x Rows blocks: every fourth a constant, the others adders whose two inputs
// come from the column before (the first column's adders from their constant above), so that
// 250 constants and 750 adders make 1,500 links and no loop.
std::shared_ptr<kirogen::model::FunctionBlockDiagram> generatedDiagram()
{
    std::vector<kirogen::model::FunctionBlock> blocks;
    std::vector<kirogen::model::DataLink> links;
    for (int column = 0; column < Columns; ++column) {
        for (int row = 0; row < Rows; ++row) {
            kirogen::model::FunctionBlock block;
            block.id = blockId(column, row);
            block.position = {column * 140.0, row * 100.0};
            if ((column * Rows + row) % 4 == 0) {
                block.typeId = "const";
                block.parameters = {{"value", std::to_string(row)}, {"type", "double"}};
            } else {
                block.typeId = "add";
                const std::string a = column == 0 ? blockId(0, row - row % 4) : blockId(column - 1, row);
                const std::string b =
                    column == 0 ? blockId(0, row - row % 4) : blockId(column - 1, (row + 1) % Rows);
                links.push_back({a, "out", block.id, "a"});
                links.push_back({b, "out", block.id, "b"});
            }
            blocks.push_back(block);
        }
    }
    return std::make_shared<kirogen::model::FunctionBlockDiagram>(DiagramName, blocks, links);
}

// Counts the paints of the editor's viewport, to know when a frame is on the screen.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the queued work (the scene's dirty items, the window's update request) until the
// viewport painted once more.
void untilPainted(PaintCounter& counter, int before)
{
    for (int round = 0; round < 50 && counter.paints == before; ++round)
        QCoreApplication::processEvents();
}

// Counts the paints of any function-block editor's viewport: the program view makes its editors.
class EditorPaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<lumlink::sdf::SDFView*>(watched->parent()))
            ++paints;
        return false;
    }
};

void untilExposed(QWidget* window)
{
    for (int round = 0; round < 100 && !(window->windowHandle() && window->windowHandle()->isExposed());
         ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The user's road: the program view on the screen opens the program's tab (the document, the
// editor, the tab), shows it and paints its first frame; the tab is closed by its button.
void openThroughProgramView(const std::shared_ptr<kirogen::model::Project>& model, const QSize& size,
                            int runs)
{
    lumlink::project::Project project(model, QFileInfo());
    lumlink::project::View view(&project);
    view.resize(size);
    view.show();
    untilExposed(&view);
    EditorPaintCounter counter;
    qApp->installEventFilter(&counter);
    std::vector<Sample> opening, closing;
    int unpainted = 0;
    for (int run = 0; run <= runs; ++run) {
        const int before = counter.paints;
        Stopwatch watch;
        view.on_raiseView(DiagramName, true);
        for (int round = 0; round < 50 && counter.paints == before; ++round)
            QCoreApplication::processEvents();
        const Sample opened = watch.elapsed();
        unpainted += counter.paints == before;
        Stopwatch closeWatch;
        auto* close = qobject_cast<QAbstractButton*>(view.tabBar()->tabButton(0, QTabBar::RightSide));
        close->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The first run warms the caches up, as the direct opening above does.
        if (run > 0) {
            opening.push_back(opened);
            closing.push_back(closeWatch.elapsed());
        }
    }
    qApp->removeEventFilter(&counter);
    report("open the tab (program view)", opening);
    report("close the tab", closing);
    if (unpainted > 0)
        std::fprintf(stderr, "%d tab(s) opened without a paint\n", unpainted);
}

struct Editor
{
    std::unique_ptr<lumlink::sdf::DiagramDocument> document;
    std::unique_ptr<lumlink::sdf::SDFView> view;
};

// The editor made in a window already on the screen (as a tab is), laid out, fitted and its
// first frame painted.
Editor open(const std::shared_ptr<kirogen::model::Project>& project, QUndoStack* stack, QWidget* window)
{
    Editor editor;
    editor.document = std::make_unique<lumlink::sdf::DiagramDocument>(project, DiagramName, stack);
    editor.view = std::make_unique<lumlink::sdf::SDFView>(editor.document.get(), window);
    window->layout()->addWidget(editor.view.get());
    editor.view->show();
    window->layout()->activate();
    editor.view->fit();
    PaintCounter counter;
    editor.view->viewport()->installEventFilter(&counter);
    editor.view->viewport()->repaint();
    editor.view->viewport()->removeEventFilter(&counter);
    if (counter.paints == 0)
        std::fprintf(stderr, "the editor did not paint\n");
    return editor;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = args.size() > 1 ? args[1].toInt() : 11;
    const QSize size = args.size() > 3 ? QSize(args[2].toInt(), args[3].toInt()) : QSize(1280, 800);

    const std::string root = TAVVIEW_DIST_DIR;
    kirogen::singletons_init(nullptr, "UTF-8");
    util::XmlSerializer::addGlobalEntityResolverSearchPath(root + "/schema");
    kirogen::model::TypeRegistry::loadTypes(root + "/config/types.xml");
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(root + "/units");

    auto project = kirogen::model::ProjectEditor::createEmpty(nullptr, util::XTime());
    const auto diagram = generatedDiagram();
    std::string error;
    if (!kirogen::model::ProjectEditor(project).addDiagram(diagram, &error)) {
        std::fprintf(stderr, "the generated diagram was refused: %s\n", error.c_str());
        return 1;
    }
    QUndoStack stack;
    std::printf("diagram of %zu blocks and %zu links, view %dx%d (median / 95th percentile / max ms)\n",
                diagram->blocks().size(), diagram->links().size(), size.width(), size.height());

    QWidget window;
    new QVBoxLayout(&window);
    window.layout()->setContentsMargins(0, 0, 0, 0);
    window.resize(size);
    window.show();
    untilExposed(&window);

    // Opening: the editor made, shown, fitted and its first frame painted; closing apart.
    open(project, &stack, &window);
    std::vector<Sample> opening, closing;
    for (int run = 0; run < runs; ++run) {
        Stopwatch watch;
        Editor editor = open(project, &stack, &window);
        opening.push_back(watch.elapsed());
        Stopwatch closeWatch;
        editor.view.reset();
        editor.document.reset();
        closing.push_back(closeWatch.elapsed());
    }
    report("open to the first frame", opening);
    report("close", closing);
    openThroughProgramView(project, size, runs);

    Editor editor = open(project, &stack, &window);
    lumlink::sdf::SDFView& view = *editor.view;
    std::printf("  fitted zoom %.3f\n", view.zoom());
    std::vector<Sample> repaints;
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    for (int run = 0; run < std::max(runs, 30); ++run) {
        Stopwatch watch;
        view.viewport()->repaint();
        repaints.push_back(watch.elapsed());
    }
    report("full repaint of the fitted view", repaints);
    std::printf("  %d of %zu repaints painted\n", counter.paints, repaints.size());

    // Dragging the first four columns (100 blocks) by their top block's header.
    lumlink::sdf::SDFScene& scene = *view.diagramScene();
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < Rows; ++row)
            scene.blockItem(blockId(column, row))->setSelected(true);
    }
    QWidget* viewport = view.viewport();
    const QPoint start = view.mapFromScene(scene.blockItem(blockId(0, 0))->mapToScene(QPointF(40, 10)));
    QMouseEvent press(QEvent::MouseButtonPress, start, viewport->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    untilPainted(counter, counter.paints);
    std::vector<Sample> frames;
    int unpainted = 0;
    for (int step = 1; step <= 60; ++step) {
        const QPoint at = start + QPoint(3 * step, 2 * step);
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        const int before = counter.paints;
        Stopwatch watch;
        QApplication::sendEvent(viewport, &move);
        untilPainted(counter, before);
        frames.push_back(watch.elapsed());
        unpainted += counter.paints == before;
    }
    report("drag frame, 100 blocks, fitted", frames);
    const QPoint end = start + QPoint(180, 120);
    QMouseEvent release(QEvent::MouseButtonRelease, end, viewport->mapToGlobal(end), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    const int before = counter.paints;
    Stopwatch dropWatch;
    QApplication::sendEvent(viewport, &release);
    untilPainted(counter, before);
    report("drop (one undo step) and its frame", {dropWatch.elapsed()});
    const auto moved = editor.document->diagram()->block(blockId(0, 0));
    std::printf("  moved to (%.0f, %.0f), %d undo step(s), %d frame(s) without a paint\n", moved->position.x,
                moved->position.y, stack.count(), unpainted);

    editor.view.reset();
    editor.document.reset();
    kirogen::singletons_done();
    return 0;
}
