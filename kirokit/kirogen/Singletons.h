#pragma once

#include <kirogen/observer/ModelObserver.h>

#include <string>

namespace kirogen {

// Prepares the kit for use: the XML parser and the text encoding of model strings
// ("UTF-8" or "ISO-8859-1"; anything else throws std::invalid_argument). The loading
// observer, if any, is told what the registries load (role 55).
void singletons_init(observer::Observer* loadingObserver, const std::string& encoding);

// The last call into the kit.
void singletons_done();

observer::Observer* loadingObserver();
const std::string& modelEncoding();

} // namespace kirogen
