#pragma once

#include <string>
#include <vector>

namespace lum::core {

// The parts of text between separators, empty parts included ("a;;b" gives three parts);
// empty text gives no parts.
std::vector<std::string> split(const std::string& text, char separator);

// Sleeps the calling thread for the given number of milliseconds.
void msleep(unsigned long milliseconds);

} // namespace lum::core
