#include <kirogen/sdf/actors/UnitDelay.h>

#include <cmath>
#include <cstdlib>

namespace kirogen::sdf::actors {

using lum::core::variant::Variant;

namespace {

// The initial value as the most specific kind its text reads as.
Variant parseInitial(const std::string& text)
{
    if (text == "true" || text == "false")
        return Variant(text == "true");
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == '\0' && std::isfinite(number))
        return Variant(number);
    return Variant(text);
}

} // namespace

UnitDelay::UnitDelay(const ActorSetup& setup) : _initial(parseInitial(setup.text("initial")))
{
}

void UnitDelay::reset()
{
    _held = _initial;
}

void UnitDelay::evaluate(double)
{
    output(0) = _held;
}

void UnitDelay::finishCycle()
{
    _held = input(0);
}

} // namespace kirogen::sdf::actors
