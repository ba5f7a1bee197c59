#pragma once

#include <kirogen/sim/Execution.h>

#include <memory>

namespace kirogen::sim {

// Owns an execution and the thread it runs on; destroying it terminates the run and waits
// for the thread to end.
class ExecutionThread
{
public:
    virtual ~ExecutionThread();

    ExecutionThread(const ExecutionThread&) = delete;
    ExecutionThread& operator=(const ExecutionThread&) = delete;

    Execution* getExecution() const { return _execution.get(); }

protected:
    explicit ExecutionThread(std::unique_ptr<Execution> execution);

private:
    std::unique_ptr<Execution> _execution;
};

} // namespace kirogen::sim
