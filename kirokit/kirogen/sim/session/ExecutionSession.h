#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace kirogen::model {
class GlobalVariable;
class Project;
} // namespace kirogen::model

namespace kirogen::sim::session {

// One run of a program as its watchers see it: which global variables changed since they
// last looked.
class ExecutionSession
{
public:
    // Writes made before the session began are not reported. The execution holds cycleGate
    // for each cycle, and a poll holds it too: a poll sees all writes of a cycle or none.
    explicit ExecutionSession(const std::shared_ptr<model::Project>& project,
                              std::shared_ptr<std::mutex> cycleGate = std::make_shared<std::mutex>());

    // Notifies role 51 from every global variable written since the previous poll, once
    // each and in name order, on the calling thread, with the pair (history buffer,
    // property buffer) whose last() is the newest value. No cycle runs meanwhile, so an
    // observer must not run one.
    void pollHistory();

private:
    struct Watched
    {
        std::shared_ptr<model::GlobalVariable> variable;
        std::uint64_t seenWrites;
    };

    std::mutex _mutex;
    const std::shared_ptr<std::mutex> _cycleGate;
    std::vector<Watched> _watched;
};

} // namespace kirogen::sim::session
