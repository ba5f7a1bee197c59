// Loading a project (document plus Project::create) side by side with "xmllint --noout" on
// the same file, the resident memory the loaded project holds, and writing it back to text.
//
//   bench_project_load <project.tkp2> [runs]
//   bench_project_load --write <project.tkp2> <out>    writes the loaded project's text to <out>
//
// Data types, units, devices and schemas come from the data tree beside bin/.

#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <vector>

namespace {

// The process's peak resident memory since start or since the last resetPeakRss().
long peakRssKb()
{
    long peak = 0;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    if (peak == 0) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        peak = usage.ru_maxrss;
    }
    return peak;
}

// Starts the peak anew from the present resident size, so that the peak of a load is not
// hidden by an earlier, higher one (loading the registries). Linux only; false elsewhere.
bool resetPeakRss()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

long currentRssKb()
{
    long size = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void loadSystem(const std::string& root)
{
    kirogen::singletons_init(nullptr, "UTF-8");
    util::XmlSerializer::addGlobalEntityResolverSearchPath(root + "/schema");
    kirogen::model::TypeRegistry::loadTypes(root + "/config/types.xml");
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(root + "/units");
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(root + "/devices");
}

// How long each part of one load took, in milliseconds.
struct Phases
{
    double document = 0;
    double project = 0;
    double release = 0;
};

std::shared_ptr<kirogen::model::Project> loadProject(const std::string& path, Phases* phases = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    util::xml::DocumentPtr doc(util::XmlSerializer().load(path, true));
    const qint64 parsed = timer.nsecsElapsed();
    auto project = kirogen::model::Project::create(
        doc->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
    const qint64 created = timer.nsecsElapsed();
    doc.reset();
    if (phases) {
        phases->document = parsed / 1e6;
        phases->project = (created - parsed) / 1e6;
        phases->release = (timer.nsecsElapsed() - created) / 1e6;
    }
    return project;
}

// xmllint's own figure for parsing and freeing, without its process start-up.
double xmllintInProcessMs(const QString& output)
{
    double total = 0;
    static const QRegularExpression took(QStringLiteral("(Parsing|Freeing) took (\\d+) ms"));
    for (auto it = took.globalMatch(output); it.hasNext();)
        total += it.next().captured(2).toDouble();
    return total;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// CPU time of the calling thread: on a shared machine the wall clock also counts waiting for a core.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Bytes of heap in use, malloc's own chunk overhead included.
long heapInUseBytes()
{
    return static_cast<long>(mallinfo2().uordblks);
}

// Child mode: the memory of one load, measured in a fresh process.
int measureMemory(const std::string& path)
{
    const long heapBefore = heapInUseBytes();
    const long residentBefore = currentRssKb();
    const long before = resetPeakRss() ? residentBefore : peakRssKb();
    const auto project = loadProject(path);
    const long after = peakRssKb();
    const long held = currentRssKb() - residentBefore;
    const long heapHeld = (heapInUseBytes() - heapBefore) / 1024;
    std::printf("%ld %ld %ld %ld %zu\n", before, after, held, heapHeld, project->globalVariables().size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::cerr << "usage: bench_project_load <project.tkp2> [runs]\n";
        return 2;
    }
    const std::string root = QFileInfo(app.applicationDirPath() + "/..").canonicalFilePath().toStdString();
    loadSystem(root);

    if (args[1] == "--memory")
        return measureMemory(args.value(2).toStdString());
    if (args[1] == "--write" && args.size() == 4) {
        const std::string text = loadProject(args[2].toStdString())->toXml();
        QFile out(args[3]);
        return out.open(QIODevice::WriteOnly) && out.write(text.data(), static_cast<qint64>(text.size())) ==
                                                     static_cast<qint64>(text.size())
                   ? 0
                   : 1;
    }

    const QString path = args[1];
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 15;
    std::vector<double> ours;
    std::vector<double> oursCpu;
    std::vector<double> xmllint;
    std::vector<double> xmllintInProcess;
    std::vector<double> document;
    std::vector<double> create;
    std::vector<double> release;
    std::vector<double> write;
    std::vector<double> writeCpu;
    std::size_t written = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        QProcess lint;
        lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--timing"), path});
        if (!lint.waitForFinished(60000) || lint.exitCode() != 0) {
            std::cerr << "xmllint failed on " << path.toStdString() << "\n";
            return 1;
        }
        xmllint.push_back(timer.nsecsElapsed() / 1e6);
        xmllintInProcess.push_back(xmllintInProcessMs(QString::fromLocal8Bit(lint.readAllStandardError())));

        Phases phases;
        const double loadCpuBefore = threadCpuMs();
        timer.restart();
        const auto project = loadProject(path.toStdString(), &phases);
        ours.push_back(timer.nsecsElapsed() / 1e6);
        oursCpu.push_back(threadCpuMs() - loadCpuBefore);
        document.push_back(phases.document);
        create.push_back(phases.project);
        release.push_back(phases.release);

        const double cpuBefore = threadCpuMs();
        timer.restart();
        written = project->toXml().size();
        write.push_back(timer.nsecsElapsed() / 1e6);
        writeCpu.push_back(threadCpuMs() - cpuBefore);
    }

    QProcess child;
    child.start(app.applicationFilePath(), {QStringLiteral("--memory"), path});
    child.waitForFinished(120000);
    long before = 0;
    long after = 0;
    long held = 0;
    long heapHeld = 0;
    std::size_t variables = 0;
    std::sscanf(child.readAllStandardOutput().constData(), "%ld %ld %ld %ld %zu", &before, &after, &held,
                &heapHeld, &variables);

    const double fileKb = QFileInfo(path).size() / 1024.0;
    std::printf("file                         %.0f KiB, %zu global variables\n", fileKb, variables);
    std::printf("xmllint --noout (process)    median %.1f ms, best %.1f ms\n", median(xmllint),
                *std::min_element(xmllint.begin(), xmllint.end()));
    std::printf("document + Project::create   median %.1f ms, best %.1f ms, CPU median %.1f ms (validated "
                "against project.xsd)\n",
                median(ours), *std::min_element(ours.begin(), ours.end()), median(oursCpu));
    std::printf("  document (parse, validate) median %.1f ms\n", median(document));
    std::printf("  Project::create            median %.1f ms\n", median(create));
    std::printf("  document release           median %.1f ms\n", median(release));
    std::printf("ratio (median)               %.2f\n", median(ours) / median(xmllint));
    std::printf("xmllint's own parse + free   median %.1f ms (its --timing, start-up excluded; whole ms)\n",
                median(xmllintInProcess));
    std::printf("ratio without start-up      %.2f\n", median(ours) / median(xmllintInProcess));
    std::printf("Project::toXml               median %.1f ms, best %.1f ms, CPU median %.1f ms (%.0f KiB "
                "written)\n",
                median(write), *std::min_element(write.begin(), write.end()), median(writeCpu),
                written / 1024.0);
    std::printf("RSS before load / peak       %ld KiB / %ld KiB; loading added %ld KiB = %.1f x the file\n",
                before, after, after - before, (after - before) / fileKb);
    std::printf("held by the project          %ld KiB = %.1f x the file (document released)\n", held,
                held / fileKb);
    std::printf("heap held by the project     %ld KiB = %.1f x the file (live allocations)\n", heapHeld,
                heapHeld / fileKb);
    return 0;
}
