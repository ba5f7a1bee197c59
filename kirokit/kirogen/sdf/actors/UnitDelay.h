#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

namespace kirogen::sdf::actors {

// "delay": out is what in was in the previous cycle ("initial" in the first).
class UnitDelay : public Actor
{
public:
    explicit UnitDelay(const ActorSetup& setup);

    void reset() override;
    void evaluate(double now) override;
    void finishCycle() override;

private:
    lum::core::variant::Variant _initial;
    lum::core::variant::Variant _held;
};

} // namespace kirogen::sdf::actors
