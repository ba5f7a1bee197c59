#pragma once

namespace lum::navigation {

// Registers the function blocks of the navigation domain; safe to call more than once.
void init();

} // namespace lum::navigation
