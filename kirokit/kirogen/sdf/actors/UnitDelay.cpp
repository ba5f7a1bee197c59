#include <kirogen/sdf/actors/UnitDelay.h>

#include <charconv>
#include <cmath>

namespace kirogen::sdf::actors {

using lum::core::variant::Variant;

namespace {

// The initial value as the most specific kind its text reads as.
Variant parseInitial(const std::string& text)
{
    if (text == "true" || text == "false")
        return Variant(text == "true");
    double number = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    if (!text.empty() && result.ec == std::errc() && result.ptr == end && std::isfinite(number))
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
