#pragma once

namespace lum::cv {

// Registers the function blocks of the vision domain; safe to call more than once.
void init();

} // namespace lum::cv
