#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

namespace kirogen::sdf::actors {

// "ton": q turns true once in has been true for pt seconds; et is the time so far.
class OnDelayTimer : public Actor
{
public:
    explicit OnDelayTimer(const ActorSetup& setup);

    void reset() override;
    void evaluate(double now) override;

private:
    double _presetTime;
    bool _timing = false;
    double _since = 0.0;
};

} // namespace kirogen::sdf::actors
