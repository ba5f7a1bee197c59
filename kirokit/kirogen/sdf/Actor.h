#pragma once

#include <kirogen/sdf/ValueConversion.h>
#include <lum/core/Variant.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kirogen::sdf {

// The running form of one function block. Its inputs and outputs are bound to the signals
// of the compiled diagram before the first cycle; an unconnected input reads an empty value.
class Actor
{
public:
    virtual ~Actor() = default;

    // Back to the state at the start of a run.
    virtual void reset() {}

    // One cycle: reads the inputs, writes the outputs. now is the run's time in seconds.
    virtual void evaluate(double now) = 0;

    // Called after every block of the diagram ran in the cycle.
    virtual void finishCycle() {}

    void bindInput(std::size_t index, const lum::core::variant::Variant* signal);
    void bindOutput(std::size_t index, lum::core::variant::Variant* signal);

protected:
    const lum::core::variant::Variant& input(std::size_t index) const { return *_inputs[index]; }
    lum::core::variant::Variant& output(std::size_t index) { return *_outputs[index]; }

    // See ValueConversion::toNumber; a number is true unless it is 0.
    double inputNumber(std::size_t index) const { return ValueConversion::toNumber(input(index)); }
    bool inputBool(std::size_t index) const { return inputNumber(index) != 0.0; }

private:
    std::vector<const lum::core::variant::Variant*> _inputs;
    std::vector<lum::core::variant::Variant*> _outputs;
};

} // namespace kirogen::sdf
