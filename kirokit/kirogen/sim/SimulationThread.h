#pragma once

#include <kirogen/sim/ExecutionThread.h>
#include <util/XTime.h>

#include <memory>

namespace kirogen::model {
class Project;
class SfcModel;
} // namespace kirogen::model

namespace kirogen::sim {

// Runs a sequence chart of a project in this process, one cycle per the given time.
class SimulationThread : public ExecutionThread
{
public:
    // Compiles the program; throws std::runtime_error naming the file and line of a fault,
    // std::invalid_argument for a missing program or a cycle time that is not positive.
    SimulationThread(const std::shared_ptr<model::Project>& project,
                     const std::shared_ptr<model::SfcModel>& program, util::XTime cycle);
};

} // namespace kirogen::sim
