#pragma once

namespace kirogen::sdf {
class ActorFactory;
}

namespace kirogen::sdf::actors {

// The kit's own function blocks: constants, arithmetic, comparison, logic, timers and
// counters, the one-cycle delay, global variables and device ports.
void registerBuiltins(ActorFactory& factory);

} // namespace kirogen::sdf::actors
