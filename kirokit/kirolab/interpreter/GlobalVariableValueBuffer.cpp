#include <kirolab/interpreter/GlobalVariableValueBuffer.h>

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <plugin/gui/PropertyBuffer.h>
#include <plugin/gui/VariableHistoryBuffer.h>

#include <sstream>
#include <utility>

namespace kirolab::interpreter {

using lum::core::variant::Variant;

GlobalVariableValueBuffer::GlobalVariableValueBuffer(const std::shared_ptr<kirogen::model::Project>& project)
{
    for (const auto& entry : project->globalVariables()) {
        insert(entry.second->getVarName(), Variant());
        entry.second->registerObserver(kirogen::observer::DataRole::GlobalVariableUpdated, this);
    }
}

void GlobalVariableValueBuffer::on_notify(const kirogen::observer::DataRole& role,
                                          kirogen::observer::Observable* source, const Variant& value)
{
    if (role != kirogen::observer::DataRole::GlobalVariableUpdated)
        return;
    const auto* variable = dynamic_cast<const kirogen::model::GlobalVariable*>(source);
    if (!variable)
        return;
    using Buffers = std::pair<std::shared_ptr<plugin::gui::VariableHistoryBuffer>,
                              std::shared_ptr<plugin::gui::PropertyBuffer>>;
    bool ok = false;
    const Buffers buffers = value.get<Buffers>(&ok);
    if (ok && buffers.first)
        (*this)[variable->getVarName()] = buffers.first->last();
}

void GlobalVariableValueBuffer::output(std::ostream& stream, bool clear)
{
    for (auto& [name, value] : *this) {
        if (clear && value.isEmpty())
            continue;
        // One write per line: other threads' messages may share the stream.
        stream << "## " + name + ";;" + value.toString() + " ##\n" << std::flush;
        if (clear)
            value = Variant();
    }
}

std::string GlobalVariableValueBuffer::toString()
{
    std::ostringstream text;
    output(text, false);
    return text.str();
}

std::ostream& operator<<(std::ostream& stream, GlobalVariableValueBuffer& buffer)
{
    buffer.output(stream, true);
    return stream;
}

} // namespace kirolab::interpreter
