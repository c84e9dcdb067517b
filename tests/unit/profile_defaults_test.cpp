#include "profile/ProfileDefaults.h"
#include "support/FileHelpers.h"
#include <gtest/gtest.h>

using namespace halvorn;
using Bytes = std::vector<std::uint8_t>;

// Written over a record filled with 0xA5, the defaults must give the reference: every byte they
// write, and the fill wherever they write nothing. The mail entry is the build's relay account.
TEST(ProfileDefaults, WriteExactlyTheReferenceBytes) {
    const Bytes reference = test::fixture("reference/defaults.bin");
    ASSERT_EQ(reference.size(), kRecordSize);
    ProfileRecord r;
    std::fill(r.bytes().begin(), r.bytes().end(), 0xA5);
    applyProfileDefaults(r);
    EXPECT_TRUE(std::ranges::equal(r.area(0, rec::mailServer), std::span(reference).first(rec::mailServer)));
    EXPECT_TRUE(std::ranges::equal(r.area(rec::phoneNumbers, 384), std::span(reference).subspan(rec::phoneNumbers)));
    EXPECT_EQ(r.mailServer(), defaultMailEntry());
}
