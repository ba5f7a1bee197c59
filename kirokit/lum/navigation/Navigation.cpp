#include <lum/navigation/Navigation.h>

#include <kirogen/sdf/ActorFactory.h>
#include <lum/navigation/Distance.h>

namespace lum::navigation {

void init()
{
    kirogen::sdf::ActorFactory::singleton().registerActor(
        "distance", {{"x1", "y1", "x2", "y2"}, {"out"}, [](const kirogen::sdf::ActorSetup&) {
                         return std::make_unique<Distance>();
                     }});
}

} // namespace lum::navigation
