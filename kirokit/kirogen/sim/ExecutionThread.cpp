#include <kirogen/sim/ExecutionThread.h>

namespace kirogen::sim {

ExecutionThread::ExecutionThread(std::unique_ptr<Execution> execution) : _execution(std::move(execution))
{
}

ExecutionThread::~ExecutionThread() = default;

} // namespace kirogen::sim
