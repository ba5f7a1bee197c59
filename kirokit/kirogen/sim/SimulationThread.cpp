#include <kirogen/sim/SimulationThread.h>

#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>

#include <stdexcept>

namespace kirogen::sim {

namespace {

std::unique_ptr<Execution> compile(const std::shared_ptr<model::Project>& project,
                                   const std::shared_ptr<model::SfcModel>& program, util::XTime cycle)
{
    if (!project || !program)
        throw std::invalid_argument("there is no program to run");
    return std::make_unique<Execution>(project, *program, cycle, project->sourceName());
}

} // namespace

SimulationThread::SimulationThread(const std::shared_ptr<model::Project>& project,
                                   const std::shared_ptr<model::SfcModel>& program, util::XTime cycle)
    : ExecutionThread(compile(project, program, cycle))
{
}

} // namespace kirogen::sim
