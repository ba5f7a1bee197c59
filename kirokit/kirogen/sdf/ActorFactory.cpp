#include <kirogen/sdf/ActorFactory.h>

#include <kirogen/sdf/actors/Builtins.h>

namespace kirogen::sdf {

ActorFactory& ActorFactory::singleton()
{
    static ActorFactory factory;
    return factory;
}

ActorFactory::ActorFactory()
{
    actors::registerBuiltins(*this);
}

void ActorFactory::registerActor(const std::string& typeId, Implementation implementation)
{
    auto entry = std::make_shared<const Implementation>(std::move(implementation));
    std::lock_guard<std::mutex> lock(_mutex);
    _implementations[typeId] = std::move(entry);
}

std::shared_ptr<const ActorFactory::Implementation> ActorFactory::find(const std::string& typeId) const
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto found = _implementations.find(typeId);
    return found == _implementations.end() ? nullptr : found->second;
}

} // namespace kirogen::sdf
