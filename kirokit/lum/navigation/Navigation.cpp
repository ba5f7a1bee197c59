#include <lum/navigation/Navigation.h>

namespace lum::navigation {

void init()
{
    // The navigation blocks register with the actor-type registry once it exists.
}

} // namespace lum::navigation
