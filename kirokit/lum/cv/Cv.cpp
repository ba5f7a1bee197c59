#include <lum/cv/Cv.h>

#include <kirogen/sdf/ActorFactory.h>
#include <lum/cv/Threshold.h>

namespace lum::cv {

void init()
{
    kirogen::sdf::ActorFactory::singleton().registerActor(
        "threshold", {{"in"}, {"out"}, [](const kirogen::sdf::ActorSetup& setup) {
                          return std::make_unique<Threshold>(setup);
                      }});
}

} // namespace lum::cv
