#include <Chunks.h>

#include <algorithm>

namespace fuzz {

std::vector<std::string_view> chunks(std::string_view text, std::uint8_t seed)
{
    if (seed == 0 || text.empty())
        return {text};
    // xorshift32: cheap, and never stuck at zero from a non-zero start.
    std::uint32_t state = 0x9e3779b9u * seed;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const std::size_t length = std::min<std::size_t>(text.size(), 1 + next() % 64);
        pieces.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return pieces;
}

} // namespace fuzz
