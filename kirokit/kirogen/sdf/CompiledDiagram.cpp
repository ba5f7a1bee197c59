#include <kirogen/sdf/CompiledDiagram.h>

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/sdf/ActorFactory.h>
#include <kirogen/sdf/ActorTypeRegistry.h>

#include <algorithm>
#include <functional>
#include <queue>
#include <set>
#include <stdexcept>

namespace kirogen::sdf {

namespace {

std::size_t indexOf(const std::vector<std::string>& names, const std::string& name)
{
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// The implementation must offer exactly the ports the declaration names; otherwise a
// diagram could connect a port that nothing reads or writes.
bool portsMatch(const ActorType& type, const ActorFactory::Implementation& implementation)
{
    std::size_t inputs = 0;
    std::size_t outputs = 0;
    for (const ActorPort& port : type.ports()) {
        const auto& names = port.direction == ActorPort::In ? implementation.inputs : implementation.outputs;
        if (indexOf(names, port.name) == names.size())
            return false;
        ++(port.direction == ActorPort::In ? inputs : outputs);
    }
    return inputs == implementation.inputs.size() && outputs == implementation.outputs.size();
}

} // namespace

CompiledDiagram::CompiledDiagram(const model::FunctionBlockDiagram& diagram,
                                 const std::shared_ptr<model::Project>& project, const std::string& source)
{
    const auto& blocks = diagram.blocks();
    const auto fault = [&source](int line, const std::string& message) {
        return std::runtime_error(source + ":" + std::to_string(line) + ": " + message);
    };

    std::map<std::string, std::size_t> indexById;
    std::vector<std::shared_ptr<const ActorFactory::Implementation>> implementations;
    std::vector<std::size_t> firstSignal;
    std::vector<std::unique_ptr<Actor>> actors;
    std::size_t signalCount = 0;
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        const model::FunctionBlock& block = blocks[index];
        const std::string name = "block '" + block.id + "'";
        if (!indexById.emplace(block.id, index).second)
            throw fault(block.line,
                        "diagram '" + diagram.name() + "' has two blocks named '" + block.id + "'");
        const auto type = ActorTypeRegistry::singleton().get(block.typeId);
        if (!type)
            throw fault(block.line, name + " has the unknown actor type '" + block.typeId + "'");
        auto implementation = ActorFactory::singleton().find(block.typeId);
        if (!implementation)
            throw fault(block.line, "actor type '" + block.typeId +
                                        "' has no implementation (its library is not initialised)");
        if (!portsMatch(*type, *implementation))
            throw fault(block.line,
                        "the ports of actor type '" + block.typeId + "' differ from its implementation's");
        for (const auto& parameter : block.parameters) {
            if (!type->parameter(parameter.first))
                throw fault(block.line, name + " sets the parameter '" + parameter.first +
                                            "' that actor type '" + block.typeId + "' does not have");
        }
        try {
            actors.push_back(implementation->create(ActorSetup(*type, block.parameters, project)));
        } catch (const std::exception& e) {
            throw fault(block.line, name + " (" + block.typeId + "): " + e.what());
        }
        firstSignal.push_back(signalCount);
        signalCount += implementation->outputs.size();
        implementations.push_back(std::move(implementation));
    }

    // Sized once: actors keep pointers into it.
    _signals.resize(signalCount);
    for (std::size_t index = 0; index < actors.size(); ++index) {
        for (std::size_t input = 0; input < implementations[index]->inputs.size(); ++input)
            actors[index]->bindInput(input, &_unconnected);
        const auto& outputs = implementations[index]->outputs;
        for (std::size_t output = 0; output < outputs.size(); ++output) {
            actors[index]->bindOutput(output, &_signals[firstSignal[index] + output]);
            _signalByPort[{blocks[index].id, outputs[output]}] = firstSignal[index] + output;
        }
    }

    std::vector<std::vector<std::size_t>> successors(blocks.size());
    std::vector<std::vector<std::size_t>> predecessors(blocks.size());
    std::set<std::pair<std::size_t, std::size_t>> connectedInputs;
    for (const model::DataLink& link : diagram.links()) {
        const auto from = indexById.find(link.fromBlock);
        const auto to = indexById.find(link.toBlock);
        if (from == indexById.end())
            throw fault(link.line, "connection from the unknown block '" + link.fromBlock + "'");
        if (to == indexById.end())
            throw fault(link.line, "connection to the unknown block '" + link.toBlock + "'");
        const auto& outputs = implementations[from->second]->outputs;
        const auto& inputs = implementations[to->second]->inputs;
        const std::size_t output = indexOf(outputs, link.fromPort);
        const std::size_t input = indexOf(inputs, link.toPort);
        if (output == outputs.size())
            throw fault(link.line, "block '" + link.fromBlock + "' (" + blocks[from->second].typeId +
                                       ") has no output '" + link.fromPort + "'");
        if (input == inputs.size())
            throw fault(link.line, "block '" + link.toBlock + "' (" + blocks[to->second].typeId +
                                       ") has no input '" + link.toPort + "'");
        if (!connectedInputs.emplace(to->second, input).second)
            throw fault(link.line,
                        "input '" + link.toPort + "' of block '" + link.toBlock + "' is connected twice");
        actors[to->second]->bindInput(input, &_signals[firstSignal[from->second] + output]);
        if (actors[to->second]->dependsOnCurrentInputs()) {
            successors[from->second].push_back(to->second);
            predecessors[to->second].push_back(from->second);
        }
    }

    // Kahn's algorithm; among the ready blocks the one first in the file goes first, so the
    // order is stable for blocks that do not depend on each other.
    std::vector<std::size_t> pending(blocks.size());
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        pending[index] = predecessors[index].size();
        if (pending[index] == 0)
            ready.push(index);
    }
    std::vector<std::size_t> order;
    while (!ready.empty()) {
        const std::size_t index = ready.top();
        ready.pop();
        order.push_back(index);
        for (std::size_t next : successors[index]) {
            if (--pending[next] == 0)
                ready.push(next);
        }
    }

    if (order.size() < blocks.size()) {
        // Every block left over waits for another left-over block; walking back along those
        // links must come round to a block it met before, and that walk is a loop.
        std::size_t at = 0;
        while (pending[at] == 0)
            ++at;
        std::vector<std::size_t> walk;
        std::vector<bool> seen(blocks.size(), false);
        while (!seen[at]) {
            seen[at] = true;
            walk.push_back(at);
            at = *std::find_if(predecessors[at].begin(), predecessors[at].end(),
                               [&pending](std::size_t p) { return pending[p] != 0; });
        }
        const auto loopStart = std::find(walk.begin(), walk.end(), at);
        std::vector<std::size_t> loop(loopStart, walk.end());
        std::reverse(loop.begin(), loop.end());
        const auto first =
            std::min_element(loop.begin(), loop.end(), [&blocks](std::size_t a, std::size_t b) {
                return blocks[a].line < blocks[b].line;
            });
        std::rotate(loop.begin(), first, loop.end());
        std::string path;
        for (std::size_t index : loop)
            path += "'" + blocks[index].id + "' -> ";
        path += "'" + blocks[loop.front()].id + "'";
        throw fault(blocks[loop.front()].line, "block '" + blocks[loop.front()].id +
                                                   "' is part of a loop without a delay block: " + path);
    }

    for (std::size_t index : order) {
        _actors.push_back(std::move(actors[index]));
        _order.push_back(blocks[index].id);
    }
}

CompiledDiagram::~CompiledDiagram() = default;

void CompiledDiagram::reset()
{
    for (auto& signal : _signals)
        signal = lum::core::variant::Variant();
    for (const auto& actor : _actors)
        actor->reset();
}

lum::core::variant::Variant CompiledDiagram::value(const std::string& blockId, const std::string& port) const
{
    const auto found = _signalByPort.find({blockId, port});
    return found == _signalByPort.end() ? lum::core::variant::Variant() : _signals[found->second];
}

void CompiledDiagram::runCycle(double now)
{
    for (const auto& actor : _actors)
        actor->evaluate(now);
    for (const auto& actor : _actors)
        actor->finishCycle();
}

} // namespace kirogen::sdf
