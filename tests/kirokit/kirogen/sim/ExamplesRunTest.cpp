#include "../EngineTestSupport.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/sim/Execution.h>
#include <kirogen/sim/SimulationThread.h>

#include <QDir>

#include <gtest/gtest.h>

using kirogen::sim::SimulationThread;
using lum::core::variant::Variant;

namespace {

std::shared_ptr<kirogen::model::Project> example(const std::string& name)
{
    const std::string path = TAVVIEW_DIST_DIR "/examples/" + name;
    const util::xml::DocumentPtr document(util::XmlSerializer().load(path, true));
    return kirogen::model::Project::create(
        document->root(), kirogen::gen::session::SerializationIdSession::create(), util::XTime());
}

class ExamplesRunTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { enginetest::loadSystem(); }
};

TEST_F(ExamplesRunTest, EveryShippedExampleRunsItsMainProgram)
{
    const QStringList names = QDir(TAVVIEW_DIST_DIR "/examples").entryList({"*.tkp2"}, QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const auto project = example(name.toStdString());
        SimulationThread simulation(project, project->sfcModels().front(), util::XTime(0.01));
        for (int i = 0; i < 500; ++i)
            simulation.getExecution()->step(util::XTime(0.01));
    }
}

TEST_F(ExamplesRunTest, TrafficLightGoesThroughItsPhases)
{
    const auto project = example("traffic.tkp2");
    SimulationThread simulation(project, project->sfcModels().front(), util::XTime(0.25));
    auto& execution = *simulation.getExecution();
    const auto lights = [&project] {
        std::string shown;
        for (const char* name : {"red", "yellow", "green"})
            shown += project->globalVariable(name)->value() == Variant(true) ? name[0] : '-';
        return shown;
    };
    // Red for redTime (3 s), red and yellow 1 s, green until its 4 s timer ran out, yellow
    // 1.5 s, one cycle in Count, red again. A step starts in the cycle after its transition.
    std::vector<std::pair<std::string, std::string>> seen;
    for (int i = 0; i < 48; ++i) {
        execution.step(util::XTime(0.25));
        if (seen.empty() || seen.back().second != lights())
            seen.emplace_back(Variant(execution.runTime().seconds()).toString(), lights());
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"0", "r--"}, {"3.25", "ry-"}, {"4.5", "--g"}, {"8.75", "-y-"}, {"10.75", "r--"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(project->globalVariable("cycles")->value(), Variant(1.0));
}

} // namespace
