#pragma once
// The 16-bit word transform both profile files apply to the record: each
// little-endian word is rotated left by 4 bits and inverted.

#include "profile/ProfileRecord.h"

#include <cstdint>
#include <span>

namespace halvorn::ProfileScramble {

constexpr std::uint16_t scrambleWord(std::uint16_t w) {
    return static_cast<std::uint16_t>(~static_cast<std::uint16_t>((w << 4) | (w >> 12)));
}
constexpr std::uint16_t unscrambleWord(std::uint16_t s) {
    const auto w = static_cast<std::uint16_t>(~s);
    return static_cast<std::uint16_t>((w >> 4) | (w << 12));
}

// Scramble or unscramble every whole word of the bytes in place (an odd
// trailing byte is left as it is).
void scramble(std::span<std::uint8_t> bytes);
void unscramble(std::span<std::uint8_t> bytes);

} // namespace halvorn::ProfileScramble
