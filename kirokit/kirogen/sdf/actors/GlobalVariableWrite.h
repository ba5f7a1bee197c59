#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

#include <memory>

namespace kirogen::model {
class GlobalVariable;
}

namespace kirogen::sdf::actors {

// "gvwrite": writes its input, converted to the variable's data type, when it differs from
// the variable's value, so that the history records changes rather than every cycle.
class GlobalVariableWrite : public Actor
{
public:
    explicit GlobalVariableWrite(const ActorSetup& setup);

    void reset() override;
    void evaluate(double now) override;

private:
    std::shared_ptr<model::GlobalVariable> _variable;
    bool _warned = false;
};

} // namespace kirogen::sdf::actors
