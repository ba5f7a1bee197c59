#pragma once

#include <kirogen/observer/DataRole.h>
#include <kiroutil/observer/Observer.h>
#include <lum/core/Variant.h>

namespace kirogen::observer {

// The one instantiation of the observer framework that the model uses.
using Observable = util::observer::Observable<DataRole, lum::core::variant::Variant>;
using Observer = util::observer::Observer<DataRole, lum::core::variant::Variant>;

} // namespace kirogen::observer
