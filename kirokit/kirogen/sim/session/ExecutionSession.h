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
    // Writes made before the session began are not reported.
    explicit ExecutionSession(const std::shared_ptr<model::Project>& project);

    // Notifies role 51 from every global variable written since the previous poll, once
    // each and in name order, on the calling thread, with the pair (history buffer,
    // property buffer) whose last() is the newest value.
    void pollHistory();

private:
    struct Watched
    {
        std::shared_ptr<model::GlobalVariable> variable;
        std::uint64_t seenWrites;
    };

    std::mutex _mutex;
    std::vector<Watched> _watched;
};

} // namespace kirogen::sim::session
