// Loading the system as the interpreter does at start: the data types, the actor types and the
// device types of the data tree beside bin/. The registries load once per process, so every run
// is a fresh process of this program.
//
//   bench_system_load [runs]    median and min of each part over the runs (default 30)
//   bench_system_load --once    one load, its parts in milliseconds
//
// Instruction counts, steadier than times on a shared machine:
//   valgrind --tool=callgrind --toggle-collect='*loadSystem*' build/bin/bench_system_load --once

#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <util/XmlSerializer.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

const std::array<const char*, 4> partNames = {"types", "actor types", "device types", "all"};
using Parts = std::array<double, 4>;

__attribute__((noinline)) Parts loadSystem(const std::string& root)
{
    Parts parts{};
    QElapsedTimer timer;
    timer.start();
    kirogen::model::TypeRegistry::loadTypes(root + "/config/types.xml");
    parts[0] = timer.nsecsElapsed() / 1e6;
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(root + "/units");
    parts[1] = timer.nsecsElapsed() / 1e6 - parts[0];
    kirogen::device::model::DeviceTypeRegistry::singleton().loadDeviceTypes(root + "/devices");
    parts[3] = timer.nsecsElapsed() / 1e6;
    parts[2] = parts[3] - parts[1] - parts[0];
    return parts;
}

int loadOnce(const std::string& root)
{
    kirogen::singletons_init(nullptr, "UTF-8");
    util::XmlSerializer::addGlobalEntityResolverSearchPath(root + "/schema");
    const Parts parts = loadSystem(root);
    kirogen::singletons_done();
    std::printf("%.3f %.3f %.3f %.3f\n", parts[0], parts[1], parts[2], parts[3]);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::string root = QFileInfo(app.applicationDirPath() + "/..").canonicalFilePath().toStdString();
    if (args.value(1) == QLatin1String("--once"))
        return loadOnce(root);

    const int runs = args.size() > 1 ? std::max(1, args[1].toInt()) : 30;
    std::array<std::vector<double>, 4> samples;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(app.applicationFilePath(), {QStringLiteral("--once")});
        Parts parts{};
        if (!child.waitForFinished(60000) || child.exitCode() != 0 ||
            std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf %lf", &parts[0], &parts[1],
                        &parts[2], &parts[3]) != 4) {
            std::cerr << "loading the system failed: " << child.readAllStandardError().toStdString() << "\n";
            return 1;
        }
        for (std::size_t part = 0; part < parts.size(); ++part)
            samples[part].push_back(parts[part]);
    }
    std::printf("system load of %s, %d runs (ms)\n", root.c_str(), runs);
    for (std::size_t part = 0; part < samples.size(); ++part) {
        std::vector<double>& values = samples[part];
        std::sort(values.begin(), values.end());
        std::printf("  %-13s median %6.3f  min %6.3f\n", partNames[part], values[values.size() / 2],
                    values.front());
    }
    return 0;
}
