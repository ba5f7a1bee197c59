#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

namespace lum::cv {

// "threshold": a two-level switch for a measured image value. A single level would make the
// output flicker while image noise moves the value around it.
class Threshold : public kirogen::sdf::Actor
{
public:
    explicit Threshold(const kirogen::sdf::ActorSetup& setup);

    void reset() override;
    void evaluate(double now) override;

private:
    double _low;
    double _high;
    bool _on = false;
};

} // namespace lum::cv
