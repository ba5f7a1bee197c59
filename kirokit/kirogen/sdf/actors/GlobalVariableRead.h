#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

#include <memory>

namespace kirogen::model {
class GlobalVariable;
}

namespace kirogen::sdf::actors {

// "gvread": the current value of the global variable named by "variable".
class GlobalVariableRead : public Actor
{
public:
    explicit GlobalVariableRead(const ActorSetup& setup);

    void evaluate(double now) override;

private:
    std::shared_ptr<model::GlobalVariable> _variable;
};

// The project's global variable named by the block's parameter "variable"; throws
// std::runtime_error when there is none.
std::shared_ptr<model::GlobalVariable> boundVariable(const ActorSetup& setup);

} // namespace kirogen::sdf::actors
