#include <lum/cv/Cv.h>

namespace lum::cv {

void init()
{
    // The vision blocks register with the actor-type registry once it exists.
}

} // namespace lum::cv
