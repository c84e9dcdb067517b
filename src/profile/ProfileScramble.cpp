#include "profile/ProfileScramble.h"

namespace halvorn::ProfileScramble {

namespace {

template <typename Transform> void eachWord(std::span<std::uint8_t> bytes, Transform transform) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto w = static_cast<std::uint16_t>(bytes[i] | (bytes[i + 1] << 8));
        const std::uint16_t t = transform(w);
        bytes[i] = static_cast<std::uint8_t>(t & 0xFF);
        bytes[i + 1] = static_cast<std::uint8_t>(t >> 8);
    }
}

} // namespace

void scramble(std::span<std::uint8_t> bytes) { eachWord(bytes, scrambleWord); }

void unscramble(std::span<std::uint8_t> bytes) { eachWord(bytes, unscrambleWord); }

} // namespace halvorn::ProfileScramble
