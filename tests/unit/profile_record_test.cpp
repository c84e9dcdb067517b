#include "profile/ProfileDefaults.h"
#include "support/FileHelpers.h"
#include <gtest/gtest.h>
#include <stdexcept>

using namespace halvorn;
using Bytes = std::vector<std::uint8_t>;

// "V4.56J" and zeros at first; values little-endian up to the record's end, and nothing past it.
TEST(ProfileRecord, ContentsIntegersAndBounds) {
    ProfileRecord r;
    Bytes initial{'V', '4', '.', '5', '6', 'J'};
    initial.resize(kRecordSize, 0);
    EXPECT_TRUE(std::ranges::equal(r.bytes(), initial));
    r.setU32(1010, 0x01020304);
    r.setU16(1014, 0xBEEF);
    EXPECT_TRUE(std::ranges::equal(r.area(1010, 6), Bytes{0x04, 0x03, 0x02, 0x01, 0xEF, 0xBE}));
    EXPECT_EQ(std::pair(r.u32(1010), r.u16(1014)), std::pair(0x01020304u, std::uint16_t{0xBEEF}));
    const ProfileRecord before = r;
    EXPECT_THROW(r.setU16(1015, 0x1111), std::out_of_range);
    EXPECT_THROW(r.setU32(1013, 0x2222), std::out_of_range);
    EXPECT_EQ(r, before);
}
