#include <kirogen/sdf/actors/GlobalVariableRead.h>

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>

#include <stdexcept>

namespace kirogen::sdf::actors {

std::shared_ptr<model::GlobalVariable> boundVariable(const ActorSetup& setup)
{
    const std::string name = setup.text("variable");
    if (setup.project()) {
        if (auto variable = setup.project()->globalVariable(name))
            return variable;
    }
    throw std::runtime_error("the project has no global variable '" + name + "'");
}

GlobalVariableRead::GlobalVariableRead(const ActorSetup& setup) : _variable(boundVariable(setup))
{
}

void GlobalVariableRead::evaluate(double)
{
    output(0) = _variable->value();
}

} // namespace kirogen::sdf::actors
