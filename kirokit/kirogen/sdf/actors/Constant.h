#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

namespace kirogen::sdf::actors {

// "const": the parameter "value" read as the data type "type".
class Constant : public Actor
{
public:
    explicit Constant(const ActorSetup& setup);

    void reset() override;
    void evaluate(double now) override;

private:
    lum::core::variant::Variant _value;
};

} // namespace kirogen::sdf::actors
