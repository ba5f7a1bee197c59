#pragma once

#include <kirogen/model/FunctionBlock.h>
#include <kirogen/sdf/ActorType.h>

#include <memory>
#include <string>

namespace kirogen::model {
class Project;
}

namespace kirogen::sdf {

// What an actor implementation gets when a block of a diagram is built: the block's
// parameters (its own text, else the declared default) and the project it runs in.
// Accessors throw std::runtime_error with a message about the block's setting.
class ActorSetup
{
public:
    ActorSetup(const ActorType& type, const model::FunctionBlock::Parameters& parameters,
               std::shared_ptr<model::Project> project);

    const ActorType& type() const { return _type; }
    const std::shared_ptr<model::Project>& project() const { return _project; }

    std::string text(const std::string& name) const;
    // The whole text must be a finite number.
    double number(const std::string& name) const;

private:
    const ActorType& _type;
    const model::FunctionBlock::Parameters& _parameters;
    std::shared_ptr<model::Project> _project;
};

} // namespace kirogen::sdf
