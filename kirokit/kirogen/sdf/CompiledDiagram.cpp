#include <kirogen/sdf/CompiledDiagram.h>

#include <kirogen/model/DiagramCheck.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/sdf/ActorFactory.h>
#include <kirogen/sdf/ActorTypeRegistry.h>

#include <algorithm>
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

    std::vector<std::size_t> order;
    if (const auto problem = model::DiagramCheck(project.get()).check(diagram, &order))
        throw fault(problem->line, problem->message);

    std::map<std::string, std::size_t> indexById;
    std::vector<std::shared_ptr<const ActorFactory::Implementation>> implementations;
    std::vector<std::size_t> firstSignal;
    std::vector<std::unique_ptr<Actor>> actors;
    std::size_t signalCount = 0;
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        const model::FunctionBlock& block = blocks[index];
        indexById.emplace(block.id, index);
        const auto type = ActorTypeRegistry::singleton().get(block.typeId);
        auto implementation = ActorFactory::singleton().find(block.typeId);
        if (!implementation)
            throw fault(block.line, "actor type '" + block.typeId +
                                        "' has no implementation (its library is not initialised)");
        if (!portsMatch(*type, *implementation))
            throw fault(block.line,
                        "the ports of actor type '" + block.typeId + "' differ from its implementation's");
        try {
            actors.push_back(implementation->create(ActorSetup(*type, block.parameters, project)));
        } catch (const std::exception& e) {
            throw fault(block.line, "block '" + block.id + "' (" + block.typeId + "): " + e.what());
        }
        firstSignal.push_back(signalCount);
        signalCount += implementation->outputs.size();
        implementations.push_back(std::move(implementation));
    }

    // Sized once: actors keep pointers into it.
    _signals.resize(signalCount);
    auto outputPorts = std::make_shared<std::vector<OutputPort>>(signalCount);
    for (std::size_t index = 0; index < actors.size(); ++index) {
        for (std::size_t input = 0; input < implementations[index]->inputs.size(); ++input)
            actors[index]->bindInput(input, &_unconnected);
        const auto& outputs = implementations[index]->outputs;
        for (std::size_t output = 0; output < outputs.size(); ++output) {
            actors[index]->bindOutput(output, &_signals[firstSignal[index] + output]);
            _signalByPort[{blocks[index].id, outputs[output]}] = firstSignal[index] + output;
            (*outputPorts)[firstSignal[index] + output] = {blocks[index].id, outputs[output]};
        }
    }
    _outputPorts = std::move(outputPorts);
    // The check made sure that links join existing ports, which the implementations share.
    for (const model::DataLink& link : diagram.links()) {
        const std::size_t from = indexById.at(link.fromBlock);
        const std::size_t to = indexById.at(link.toBlock);
        const std::size_t output = indexOf(implementations[from]->outputs, link.fromPort);
        const std::size_t input = indexOf(implementations[to]->inputs, link.toPort);
        actors[to]->bindInput(input, &_signals[firstSignal[from] + output]);
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
