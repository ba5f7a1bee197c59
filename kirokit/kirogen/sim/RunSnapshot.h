#pragma once

#include <kirogen/sdf/CompiledDiagram.h>
#include <lum/core/Variant.h>

#include <memory>
#include <string>
#include <vector>

namespace kirogen::sim {

// A run as it stood between two cycles: the active step of its chart and what the outputs of
// the diagram that step runs held after the latest cycle.
struct RunSnapshot
{
    std::string chart;
    std::string activeStep;
    // Empty when the active step runs no diagram.
    std::string diagram;
    // The diagram's output ports and, in the same order, their values; both empty before the
    // step's first cycle.
    std::shared_ptr<const std::vector<sdf::OutputPort>> ports;
    std::vector<lum::core::variant::Variant> values;
};

} // namespace kirogen::sim
