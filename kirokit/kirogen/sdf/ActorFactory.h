#pragma once

#include <kirogen/sdf/Actor.h>
#include <kirogen/sdf/ActorSetup.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kirogen::sdf {

// The C++ implementations of the function-block types, keyed by type id. The kit's own
// blocks are there from the start; domain libraries add theirs (lum::cv::init(), ...).
class ActorFactory
{
public:
    using Creator = std::function<std::unique_ptr<Actor>(const ActorSetup&)>;

    struct Implementation
    {
        // Port names in the index order of Actor::bindInput and Actor::bindOutput.
        std::vector<std::string> inputs;
        std::vector<std::string> outputs;
        Creator create;
    };

    static ActorFactory& singleton();

    // Replaces an earlier implementation of the same id.
    void registerActor(const std::string& typeId, Implementation implementation);

    // Empty when no implementation is registered for the id.
    std::shared_ptr<const Implementation> find(const std::string& typeId) const;

private:
    ActorFactory();

    mutable std::mutex _mutex;
    std::map<std::string, std::shared_ptr<const Implementation>> _implementations;
};

} // namespace kirogen::sdf
