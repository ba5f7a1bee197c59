#include <kirogen/model/DiagramCheck.h>

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/sdf/ActorTypeRegistry.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <queue>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kirogen::model {

namespace {

using sdf::ActorParameter;
using sdf::ActorPort;
using ActorTypes = std::vector<std::shared_ptr<const sdf::ActorType>>;
using BlockIndex = std::unordered_map<std::string_view, std::size_t>;

std::string quoted(const std::string& text)
{
    return '"' + text + '"';
}

DiagramProblem problem(const FunctionBlockDiagram& diagram, DiagramProblem::Subject subject,
                       std::size_t index, std::string message)
{
    DiagramProblem found;
    found.subject = subject;
    found.index = index;
    found.line = subject == DiagramProblem::Link ? diagram.links()[index].line : diagram.blocks()[index].line;
    found.message = std::move(message);
    return found;
}

// The block's own text of the parameter, else the declared default.
const std::string& textOf(const FunctionBlock& block, const ActorParameter& parameter)
{
    const auto own = block.parameters.find(parameter.name);
    return own == block.parameters.end() ? parameter.defaultText : own->second;
}

// What the block's parameters name that the project lacks, if anything.
std::optional<std::string> missingReference(const FunctionBlock& block, const sdf::ActorType& type,
                                            const Project* project)
{
    using Reference = ActorParameter::Reference;
    const auto names = [&block](const std::string& what) {
        return "block " + quoted(block.id) + " names no " + what;
    };
    std::shared_ptr<device::model::DeviceInstance> instance;
    for (const ActorParameter& parameter : type.parameters()) {
        if (parameter.reference != Reference::Device)
            continue;
        instance = project ? project->device(textOf(block, parameter)) : nullptr;
        if (!instance)
            return names("device of the project");
    }
    for (const ActorParameter& parameter : type.parameters()) {
        if (parameter.reference == Reference::None || parameter.reference == Reference::Device)
            continue;
        const std::string& text = textOf(block, parameter);
        if (parameter.reference == Reference::GlobalVariable) {
            if (!project || !project->globalVariable(text))
                return names("global variable of the project");
            continue;
        }
        if (!instance)
            return names("device of the project");
        const bool input = parameter.reference == Reference::DeviceInput;
        const device::model::DevicePort* port = instance->deviceType()->port(text);
        const auto wanted =
            input ? device::model::DevicePort::Direction::In : device::model::DevicePort::Direction::Out;
        if (!port || port->direction != wanted)
            return names(std::string(input ? "input" : "output") + " port of device " +
                         quoted(instance->instanceName()));
    }
    return std::nullopt;
}

std::optional<DiagramProblem> checkBlocks(const FunctionBlockDiagram& diagram, const Project* project,
                                          ActorTypes& types, BlockIndex& indexOf)
{
    const std::vector<FunctionBlock>& blocks = diagram.blocks();
    types.reserve(blocks.size());
    indexOf.reserve(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const FunctionBlock& block = blocks[i];
        if (block.id.empty() || !indexOf.emplace(block.id, i).second)
            return problem(diagram, DiagramProblem::Block, i,
                           "block id " + quoted(block.id) + " is used twice in diagram " +
                               quoted(diagram.name()));
        auto type = sdf::ActorTypeRegistry::singleton().get(block.typeId);
        if (!type)
            return problem(diagram, DiagramProblem::Block, i,
                           "block " + quoted(block.id) + " has the unknown actor type " +
                               quoted(block.typeId));
        for (const auto& parameter : block.parameters) {
            if (!type->parameter(parameter.first)) {
                DiagramProblem found = problem(diagram, DiagramProblem::Parameter, i,
                                               "actor type " + quoted(block.typeId) + " has no parameter " +
                                                   quoted(parameter.first));
                found.parameter = parameter.first;
                return found;
            }
        }
        if (std::optional<std::string> missing = missingReference(block, *type, project))
            return problem(diagram, DiagramProblem::Block, i, std::move(*missing));
        types.push_back(std::move(type));
    }
    return std::nullopt;
}

std::optional<DiagramProblem> checkLinks(const FunctionBlockDiagram& diagram, const ActorTypes& types,
                                         const BlockIndex& indexOf)
{
    std::set<std::pair<std::size_t, std::string_view>> fedInputs;
    for (std::size_t i = 0; i < diagram.links().size(); ++i) {
        const DataLink& link = diagram.links()[i];
        std::size_t ends[2] = {0, 0};
        for (const ActorPort::Direction direction : {ActorPort::Out, ActorPort::In}) {
            const bool out = direction == ActorPort::Out;
            const std::string& blockId = out ? link.fromBlock : link.toBlock;
            const std::string& portName = out ? link.fromPort : link.toPort;
            const std::string way = out ? "link from the unknown " : "link to the unknown ";
            const auto block = indexOf.find(blockId);
            if (block == indexOf.end())
                return problem(diagram, DiagramProblem::Link, i, way + "block " + quoted(blockId));
            const ActorPort* port = types[block->second]->port(portName);
            if (!port || port->direction != direction)
                return problem(diagram, DiagramProblem::Link, i,
                               way + (out ? "output" : "input") + " port " +
                                   quoted(blockId + "." + portName));
            ends[out ? 0 : 1] = block->second;
        }
        if (!fedInputs.emplace(ends[1], link.toPort).second)
            return problem(diagram, DiagramProblem::Link, i,
                           "input " + quoted(link.toBlock + "." + link.toPort) + " has more than one link");
    }
    return std::nullopt;
}

// Kahn's algorithm over the links into blocks with direct feedthrough; among the ready blocks
// the one first in the diagram goes first, so the order is stable for blocks that do not
// depend on each other. Links name existing blocks, as checkLinks made sure.
std::optional<DiagramProblem> sortBlocks(const FunctionBlockDiagram& diagram, const ActorTypes& types,
                                         const BlockIndex& indexOf, std::vector<std::size_t>* order)
{
    const std::vector<FunctionBlock>& blocks = diagram.blocks();
    std::vector<std::vector<std::size_t>> successors(blocks.size());
    std::vector<std::vector<std::size_t>> predecessors(blocks.size());
    for (const DataLink& link : diagram.links()) {
        const std::size_t from = indexOf.at(link.fromBlock);
        const std::size_t to = indexOf.at(link.toBlock);
        if (types[to]->directFeedthrough()) {
            successors[from].push_back(to);
            predecessors[to].push_back(from);
        }
    }

    std::vector<std::size_t> pending(blocks.size());
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        pending[index] = predecessors[index].size();
        if (pending[index] == 0)
            ready.push(index);
    }
    std::vector<std::size_t> sorted;
    sorted.reserve(blocks.size());
    while (!ready.empty()) {
        const std::size_t index = ready.top();
        ready.pop();
        sorted.push_back(index);
        for (std::size_t next : successors[index]) {
            if (--pending[next] == 0)
                ready.push(next);
        }
    }
    if (sorted.size() == blocks.size()) {
        if (order)
            *order = std::move(sorted);
        return std::nullopt;
    }

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
    std::vector<std::size_t> loop(std::find(walk.begin(), walk.end(), at), walk.end());
    std::reverse(loop.begin(), loop.end());
    // The loop starts at its block read first; blocks made in an editor have no line, and
    // then the one first in the diagram.
    const auto first = std::min_element(loop.begin(), loop.end(), [&blocks](std::size_t a, std::size_t b) {
        return std::make_pair(blocks[a].line, a) < std::make_pair(blocks[b].line, b);
    });
    std::rotate(loop.begin(), first, loop.end());
    std::string path;
    for (std::size_t index : loop)
        path += blocks[index].id + " -> ";
    path += blocks[loop.front()].id;
    return problem(diagram, DiagramProblem::Block, loop.front(),
                   "block " + quoted(blocks[loop.front()].id) +
                       " is part of a cycle without a delay block: " + path);
}

} // namespace

DiagramCheck::DiagramCheck(const Project* project) : _project(project)
{
}

std::optional<DiagramProblem> DiagramCheck::check(const FunctionBlockDiagram& diagram,
                                                  std::vector<std::size_t>* order) const
{
    ActorTypes types;
    BlockIndex indexOf;
    if (auto found = checkBlocks(diagram, _project, types, indexOf))
        return found;
    if (auto found = checkLinks(diagram, types, indexOf))
        return found;
    return sortBlocks(diagram, types, indexOf, order);
}

std::optional<DiagramProblem> DiagramCheck::checkLink(const FunctionBlockDiagram& diagram,
                                                      const DataLink& link) const
{
    std::vector<DataLink> links = diagram.links();
    links.push_back(link);
    return check(FunctionBlockDiagram(diagram.name(), diagram.blocks(), std::move(links), diagram.line()));
}

} // namespace kirogen::model
