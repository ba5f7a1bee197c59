// One cycle of a 1,000-block function-block diagram, run as the interpreter runs it: the
// project read from XML, the chart compiled by a SimulationThread, cycles stepped through
// Execution::step(). Prints the mean and the median time per cycle.

#include <kirogen/Singletons.h>
#include <kirogen/gen/session/SerializationIdSession.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kirogen/sim/SimulationThread.h>
#include <lum/cv/Cv.h>
#include <lum/navigation/Navigation.h>
#include <util/XmlSerializer.h>
#include <util/xml/Document.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string block(const std::string& id, const std::string& type, const std::string& parameters = "")
{
    return "<block id=\"" + id + "\" type=\"" + type + "\" x=\"0\" y=\"0\">" + parameters + "</block>\n";
}

std::string parameter(const std::string& name, const std::string& value)
{
    return "<parameter name=\"" + name + "\" value=\"" + value + "\"/>";
}

std::string wire(const std::string& from, const std::string& fromPort, const std::string& to,
                 const std::string& toPort)
{
    return "<link from=\"" + from + "\" fromPort=\"" + fromPort + "\" to=\"" + to + "\" toPort=\"" + toPort +
           "\"/>\n";
}

// 249 groups of const, add, gt and and (996 blocks), chained through the sums and the
// conditions, plus a variable read, a timer, a counter and a variable write: 1,000 blocks.
std::string projectText(int& blockCount)
{
    std::string blocks;
    std::string links;
    blocks += block("input", "gvread", parameter("variable", "input"));
    blockCount = 1;
    std::string sum = "input";
    std::string condition;
    for (int i = 0; i < 249; ++i) {
        const std::string n = std::to_string(i);
        blocks += block("k" + n, "const", parameter("value", std::to_string(i % 7)));
        blocks += block("s" + n, "add");
        blocks += block("g" + n, "gt");
        blocks += block("a" + n, "and");
        blockCount += 4;
        links += wire(sum, "out", "s" + n, "a") + wire("k" + n, "out", "s" + n, "b");
        links += wire("s" + n, "out", "g" + n, "a") + wire("k" + n, "out", "g" + n, "b");
        links += wire("g" + n, "out", "a" + n, "a");
        if (!condition.empty())
            links += wire(condition, "out", "a" + n, "b");
        sum = "s" + n;
        condition = "a" + n;
    }
    blocks += block("timer", "ton", parameter("pt", "2"));
    blocks += block("counter", "ctu");
    blocks += block("output", "gvwrite", parameter("variable", "output"));
    blockCount += 3;
    links += wire(condition, "out", "timer", "in") + wire("timer", "q", "counter", "cu");
    links += wire(sum, "out", "output", "in");

    return "<?xml version=\"1.0\"?>\n<project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "version=\"1\" xsi:noNamespaceSchemaLocation=\"project.xsd\">\n<globalVariables>\n"
           "<variable name=\"input\" type=\"double\" value=\"1\"/>\n"
           "<variable name=\"output\" type=\"double\" value=\"0\"/>\n</globalVariables>\n<programs>\n"
           "<sfc name=\"main\"><step name=\"Run\" initial=\"true\" diagram=\"big\" x=\"0\" y=\"0\"/></sfc>\n"
           "<fbd name=\"big\">\n" +
           blocks + links + "</fbd>\n</programs>\n</project>\n";
}

} // namespace

int main()
{
    kirogen::singletons_init(nullptr, "UTF-8");
    util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
    kirogen::model::TypeRegistry::loadTypes(TAVVIEW_DIST_DIR "/config/types.xml");
    lum::cv::init();
    lum::navigation::init();
    kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");

    int blockCount = 0;
    const std::string text = projectText(blockCount);
    {
        const util::xml::DocumentPtr document(
            util::XmlSerializer().loadFromMem(text.data(), text.size(), true, "bench.tkp2"));
        const auto project = kirogen::model::Project::create(
            document->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
        kirogen::sim::SimulationThread simulation(project, project->sfcModels().front(), util::XTime(0.01));
        auto& execution = *simulation.getExecution();

        const util::XTime cycle(0.01);
        for (int i = 0; i < 1000; ++i)
            execution.step(cycle);

        // Batches of 100 cycles, so that the clock's own cost does not count.
        using Clock = std::chrono::steady_clock;
        constexpr int batches = 500;
        constexpr int perBatch = 100;
        std::vector<double> microseconds;
        for (int batch = 0; batch < batches; ++batch) {
            const auto begin = Clock::now();
            for (int i = 0; i < perBatch; ++i)
                execution.step(cycle);
            const std::chrono::duration<double, std::micro> spent = Clock::now() - begin;
            microseconds.push_back(spent.count() / perBatch);
        }
        double total = 0.0;
        for (double value : microseconds)
            total += value;
        std::sort(microseconds.begin(), microseconds.end());
        std::printf("blocks per diagram: %d\ncycles measured: %d\n", blockCount, batches * perBatch);
        std::printf("mean per cycle: %.2f us\nmedian per cycle: %.2f us\nslowest batch: %.2f us per cycle\n",
                    total / batches, microseconds[batches / 2], microseconds.back());
        std::printf("output after the run: %s\n",
                    project->globalVariables().at("output")->value().toString().c_str());
    }
    kirogen::singletons_done();
    return 0;
}
