// Opening a project through the workbench's main window (MainWindow::open, as the File menu does),
// alternating with the runtime kit's own load of the same file (document plus Project::create,
// as bench_project_load measures it).
//
//   bench_main_window_open <project.tkp2> [runs]
//
// The window is shown (offscreen unless QT_QPA_PLATFORM says otherwise) and holds a fresh project
// before each open, as after the workbench's start; the time includes the first paint of the
// opened project. Data types, units, devices and schemas come from the data tree beside bin/.

#include "tavview/MainWindow.h"

#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/Project.h>
#include <lumlink/Singletons.h>
#include <lumlink/project/Manager.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

double windowOpenMs(tavview::MainWindow& window, const QString& path)
{
    // What the user has before choosing File, Open: a fresh project, the old one gone.
    window.on_newProjectAction_triggered(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    window.open(path);
    QCoreApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!window.windowTitle().startsWith(QFileInfo(path).completeBaseName()))
        std::fprintf(stderr, "could not open %s\n", qPrintable(path));
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LUM GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavik View 3"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_main_window_open <project.tkp2> [runs]\n");
        return 2;
    }
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    const int runs = args.size() > 2 ? args[2].toInt() : 11;

    QDir::setCurrent(QCoreApplication::applicationDirPath());
    lumlink::readIni(QStringLiteral("tavview2.ini"));
    lumlink::singletons_init(nullptr);
    lumlink::loadSystem(3);
    std::vector<double> kit, window;
    {
        tavview::MainWindow mainWindow;
        mainWindow.show();
        // Alternating, so that both see the same state of the machine.
        windowOpenMs(mainWindow, path);
        kitLoadMs(path.toStdString());
        for (int i = 0; i < runs; ++i) {
            kit.push_back(kitLoadMs(path.toStdString()));
            window.push_back(windowOpenMs(mainWindow, path));
        }
    }
    const double kitMedian = median(kit);
    const double windowMedian = median(window);
    std::printf("open %s, %d runs (median / min ms)\n", qPrintable(QFileInfo(path).fileName()), runs);
    std::printf("  runtime kit load          %8.1f / %8.1f\n", kitMedian,
                *std::min_element(kit.begin(), kit.end()));
    std::printf("  MainWindow::open          %8.1f / %8.1f   (%.2f x the kit)\n", windowMedian,
                *std::min_element(window.begin(), window.end()), windowMedian / kitMedian);
    lumlink::singletons_done();
    return 0;
}
