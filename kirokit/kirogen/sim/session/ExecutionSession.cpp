#include <kirogen/sim/session/ExecutionSession.h>

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

namespace kirogen::sim::session {

ExecutionSession::ExecutionSession(const std::shared_ptr<model::Project>& project)
{
    for (const auto& entry : project->globalVariables())
        _watched.push_back({entry.second, entry.second->historyBuffer()->writeCount()});
}

void ExecutionSession::pollHistory()
{
    // Held while notifying: two pollers at once would otherwise both report one write.
    std::lock_guard<std::mutex> lock(_mutex);
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
