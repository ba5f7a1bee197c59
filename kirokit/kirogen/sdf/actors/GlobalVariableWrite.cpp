#include <kirogen/sdf/actors/GlobalVariableWrite.h>

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/sdf/ValueConversion.h>
#include <kirogen/sdf/actors/GlobalVariableRead.h>
#include <kiroutil/log/Log.h>

namespace kirogen::sdf::actors {

using lum::core::variant::Variant;

GlobalVariableWrite::GlobalVariableWrite(const ActorSetup& setup) : _variable(boundVariable(setup))
{
}

void GlobalVariableWrite::reset()
{
    _warned = false;
}

void GlobalVariableWrite::evaluate(double)
{
    const Variant& value = input(0);
    if (value.isEmpty())
        return;
    const Variant current = _variable->value();
    bool ok = false;
    const Variant converted = ValueConversion::convert(value, current, _variable->typeName(), &ok);
    if (!ok) {
        // Once per run: a value that never fits would otherwise flood the log every cycle.
        if (!_warned)
            kiroutil::Log::singleton().warning("Value '" + value.toString() +
                                               "' does not fit global variable '" + _variable->getVarName() +
                                               "' of type '" + _variable->typeName() + "'; not written");
        _warned = true;
        return;
    }
    if (converted != current)
        _variable->write(converted);
}

} // namespace kirogen::sdf::actors
