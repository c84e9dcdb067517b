#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileScramble.h"

#include <gtest/gtest.h>

#include <random>

namespace halvorn {
namespace {

struct WordExample {
    std::uint8_t lo, hi;   // record bytes
    std::uint8_t slo, shi; // stored bytes
};

TEST(ProfileScramble, KnownWordsAndBack) {
    const WordExample examples[] = {
        {0x00, 0x00, 0xFF, 0xFF},
        {0x01, 0x00, 0xEF, 0xFF},
        {0x34, 0x12, 0xBE, 0xDC},
        {0x56, 0x00, 0x9F, 0xFA}, // "V", 0
    };
    for (const auto& e : examples) {
        std::uint8_t bytes[2] = {e.lo, e.hi};
        ProfileScramble::scramble(bytes);
        EXPECT_EQ(bytes[0], e.slo) << int(e.lo) << "," << int(e.hi);
        EXPECT_EQ(bytes[1], e.shi) << int(e.lo) << "," << int(e.hi);
        ProfileScramble::unscramble(bytes);
        EXPECT_EQ(bytes[0], e.lo);
        EXPECT_EQ(bytes[1], e.hi);
    }
}

TEST(ProfileScramble, OddTrailingByteUntouched) {
    std::uint8_t bytes[3] = {0x00, 0x00, 0x42};
    ProfileScramble::scramble(bytes);
    EXPECT_EQ(bytes[2], 0x42);
}

TEST(ProfileScramble, RandomRecordsRoundTrip) {
    std::mt19937 rng(4561);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 50; ++round) {
        ProfileRecord r;
        for (auto& b : r.bytes())
            b = static_cast<std::uint8_t>(byte(rng));
        const ProfileRecord original = r;
        ProfileScramble::scramble(r.bytes());
        EXPECT_NE(r, original);
        ProfileScramble::unscramble(r.bytes());
        EXPECT_EQ(r, original);
    }
}

} // namespace
} // namespace halvorn
