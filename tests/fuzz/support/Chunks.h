#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace fuzz {

// Cuts text into pieces as a network might deliver it. The seed decides the lengths (1 to 64
// bytes, varying from piece to piece); seed 0 keeps the text whole. The same seed always cuts
// the same text the same way, so a finding replays.
std::vector<std::string_view> chunks(std::string_view text, std::uint8_t seed);

} // namespace fuzz
