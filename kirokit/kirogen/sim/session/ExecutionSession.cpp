#include <kirogen/sim/session/ExecutionSession.h>

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

namespace kirogen::sim::session {

ExecutionSession::ExecutionSession(const std::shared_ptr<model::Project>& project,
                                   std::shared_ptr<std::mutex> cycleGate)
    : _cycleGate(std::move(cycleGate))
{
    for (const auto& entry : project->globalVariables())
        _watched.push_back({entry.second, entry.second->historyBuffer()->writeCount()});
}

void ExecutionSession::pollHistory()
{
    // Held while notifying: two pollers at once would otherwise both report one write.
    std::lock_guard<std::mutex> lock(_mutex);
    // Values of one cycle belong together: a tick must not show one variable's write of a
    // cycle without the writes after it.
    std::lock_guard<std::mutex> betweenCycles(*_cycleGate);
    for (Watched& watched : _watched) {
        const auto history = watched.variable->historyBuffer();
        const std::uint64_t writes = history->writeCount();
        if (writes == watched.seenWrites)
            continue;
        watched.seenWrites = writes;
        watched.variable->notify(observer::DataRole::GlobalVariableUpdated, watched.variable.get(),
                                 lum::core::variant::Variant::fromValue(
                                     std::make_pair(history, watched.variable->propertyBuffer())));
    }
}

} // namespace kirogen::sim::session
