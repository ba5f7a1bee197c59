#pragma once

#include <QString>

namespace util {

// The user's profile folder of both programs, relative to the home directory:
// "Brennic/TavikView3" for version 3.
QString userProfilePath();

} // namespace util
