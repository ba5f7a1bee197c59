#pragma once

#include <kirogen/sdf/Actor.h>

#include <lum/core/Variant.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kirogen::model {
class FunctionBlockDiagram;
class Project;
} // namespace kirogen::model

namespace kirogen::sdf {

// An output port of a compiled diagram's block.
struct OutputPort
{
    std::string block;
    std::string port;
};

// A function-block diagram ready to run: one actor per block, in data-flow order, with one
// signal per output port. The diagram must pass model::DiagramCheck.
class CompiledDiagram
{
public:
    // Throws std::runtime_error "<source>:<line>: <fault>" for what DiagramCheck finds, a type
    // without a matching implementation, and parameter values its actor refuses.
    CompiledDiagram(const model::FunctionBlockDiagram& diagram,
                    const std::shared_ptr<model::Project>& project, const std::string& source);
    ~CompiledDiagram();

    // Every block back to its state at the start of a run.
    void reset();
    // One cycle at the run's time now (seconds).
    void runCycle(double now);

    // The block ids in the order each cycle evaluates them.
    const std::vector<std::string>& evaluationOrder() const { return _order; }

    // What an output port held after the latest cycle, for displays that follow a run;
    // empty for an unknown block or port.
    lum::core::variant::Variant value(const std::string& blockId, const std::string& port) const;
    // Every output port, in the order outputValues() lists their values; one list for the
    // diagram's lifetime, shared so that a display may keep it beyond.
    const std::shared_ptr<const std::vector<OutputPort>>& outputPorts() const { return _outputPorts; }
    std::vector<lum::core::variant::Variant> outputValues() const { return _signals; }

private:
    std::vector<std::unique_ptr<Actor>> _actors;
    std::vector<std::string> _order;
    std::vector<lum::core::variant::Variant> _signals;
    std::map<std::pair<std::string, std::string>, std::size_t> _signalByPort;
    std::shared_ptr<const std::vector<OutputPort>> _outputPorts;
    const lum::core::variant::Variant _unconnected;
};

} // namespace kirogen::sdf
