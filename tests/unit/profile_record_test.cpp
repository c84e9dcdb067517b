#include "BuildSettings.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileRecord.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace halvorn {
namespace {

std::string textAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t width) {
    std::string s;
    for (std::size_t i = offset; i < offset + width && bytes[i] != 0; ++i)
        s += static_cast<char>(bytes[i]);
    return s;
}

// Every byte of a text field: the text, then zeros to the field's end.
void expectField(std::span<const std::uint8_t> entry, Field f, const std::string& text) {
    ASSERT_LT(text.size(), f.width);
    for (std::size_t i = 0; i < f.width; ++i) {
        const std::uint8_t want = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
        EXPECT_EQ(entry[f.offset + i], want) << "field at " << f.offset << " byte " << i;
    }
}

TEST(ProfileRecord, InitialContents) {
    ProfileRecord r;
    EXPECT_EQ(textAt(r.bytes(), 0, 16), "V4.56J");
    for (std::size_t i = 6; i < kRecordSize; ++i)
        ASSERT_EQ(r.u8(i), 0) << i;
}

TEST(ProfileRecord, LittleEndianAccessors) {
    ProfileRecord r;
    r.setU16(rec::sendTarget, 0x1234);
    EXPECT_EQ(r.u8(78), 0x34);
    EXPECT_EQ(r.u8(79), 0x12);
    r.setU32(rec::reserved106, 0xA1B2C3D4);
    EXPECT_EQ(r.u8(106), 0xD4);
    EXPECT_EQ(r.u8(109), 0xA1);
    EXPECT_EQ(r.u32(rec::reserved106), 0xA1B2C3D4u);
    r.setU16(kRecordSize - 2, 0xBEEF);
    EXPECT_EQ(r.u16(kRecordSize - 2), 0xBEEF);
}

TEST(ProfileRecord, AccessOutsideTheRecordThrows) {
    ProfileRecord r;
    const ProfileRecord before = r;
    EXPECT_THROW(r.setU8(kRecordSize, 1), std::out_of_range);
    EXPECT_THROW(r.setU16(kRecordSize - 1, 1), std::out_of_range);
    EXPECT_THROW(r.setU32(kRecordSize - 3, 1), std::out_of_range);
    EXPECT_THROW((void)r.u16(kRecordSize - 1), std::out_of_range);
    EXPECT_THROW(r.area(kRecordSize - 4, 5), std::out_of_range);
    EXPECT_THROW(r.area(SIZE_MAX, 2), std::out_of_range);
    EXPECT_THROW(r.clear(1000, 17), std::out_of_range);
    EXPECT_EQ(r, before);
    EXPECT_EQ(r.area(kRecordSize, 0).size(), 0u);
    EXPECT_EQ(r.area(rec::mailServer, mail::senderName).size(), 24u);
    std::uint8_t small[3] = {};
    EXPECT_THROW(writeU16(small, 2, 1), std::out_of_range);
}

TEST(ProfileRecord, EntriesCopyWhole) {
    ProfileRecord r;
    OperatorEntry op{};
    for (std::size_t i = 0; i < op.size(); ++i)
        op[i] = static_cast<std::uint8_t>(i + 1);
    r.setOperatorEntry(op);
    EXPECT_EQ(r.u8(111), 0);
    EXPECT_EQ(r.u8(112), 1);
    EXPECT_EQ(r.u8(375), static_cast<std::uint8_t>(264));
    EXPECT_EQ(r.u8(376), 0);
    EXPECT_EQ(r.operatorEntry(), op);
}

class DefaultsTest : public ::testing::Test {
protected:
    // A record full of a pattern, so every byte the defaults leave alone shows.
    static ProfileRecord patterned() {
        ProfileRecord r;
        auto b = r.bytes();
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i] = static_cast<std::uint8_t>(0x80 | (i * 7));
        return r;
    }
};

TEST_F(DefaultsTest, WritesEveryByteOfTheTable) {
    ProfileRecord r = patterned();
    const ProfileRecord before = r;
    applyProfileDefaults(r);
    const auto b = r.bytes();
    EXPECT_EQ(b[0], 'V');
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(r.u16(16), 1);
    const std::uint8_t camera[] = {0, 0, 1, 0, 2, 1, 1, 0, 1, 12, 29};
    for (std::size_t i = 0; i < sizeof camera; ++i)
        EXPECT_EQ(b[20 + i], camera[i]) << 20 + i;
    for (std::size_t s = 0; s < 4; ++s)
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(b[31 + 6 * s + k], k == 5 ? 0xFF : 0) << 31 + 6 * s + k;
    const std::uint8_t tail[] = {1, 0, 1, 1, 0}; // language, rfSwitch, overwrite, beep, variantCode
    for (std::size_t i = 0; i < sizeof tail; ++i)
        EXPECT_EQ(b[55 + i], tail[i]) << 55 + i;
    const std::uint8_t sending[] = {0, 0, 10, 0, 0, 0, 1, 0, 0, 15, 0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < sizeof sending; ++i)
        EXPECT_EQ(b[72 + i], sending[i]) << 72 + i;
    for (std::size_t i = 90; i < 106; ++i)
        EXPECT_EQ(b[i], 0) << i;
    const std::uint8_t five[] = {5, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < sizeof five; ++i)
        EXPECT_EQ(b[106 + i], five[i]) << 106 + i;
    EXPECT_EQ(r.operatorEntry(), defaultOperatorEntry());
    EXPECT_EQ(r.mailServer(), defaultMailEntry());
    for (std::size_t i = 632; i < kRecordSize; ++i)
        ASSERT_EQ(b[i], 0) << i;

    // Nothing else: bytes 2-15, 18-19, 60-71 and 88-89 keep their values.
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const bool kept = (i >= 2 && i <= 15) || i == 18 || i == 19 || (i >= 60 && i <= 71) || i == 88 || i == 89;
        if (kept) {
            EXPECT_EQ(b[i], before.bytes()[i]) << i;
        }
    }
}

TEST_F(DefaultsTest, FreshStartKeepsTheVersionTail) {
    ProfileRecord r;
    applyProfileDefaults(r);
    EXPECT_EQ(textAt(r.bytes(), 2, 4), ".56J");
    EXPECT_EQ(textAt(r.bytes(), 0, 16), "V");
}

TEST_F(DefaultsTest, DefaultOperatorEntry) {
    const auto& e = defaultOperatorEntry();
    expectField(e, op::name, "SORACOM(docomo)");
    expectField(e, op::mmsUrl, "");
    expectField(e, op::mmsGateway, "");
    expectField(e, op::mmsPort, "");
    expectField(e, op::mmsApn, "");
    expectField(e, op::mmsUser, "");
    expectField(e, op::mmsPassword, "");
    expectField(e, op::dataApn, "soracom.io");
    expectField(e, op::dataUser, "sora");
    expectField(e, op::dataPassword, "sora");
}

TEST_F(DefaultsTest, DefaultMailEntryIsTheRelayAccount) {
    const auto& e = defaultMailEntry();
    const std::string sender = build::relaySender;
    expectField(e, mail::smtpServer, build::relaySmtpServer);
    expectField(e, mail::smtpPort, "587");
    EXPECT_EQ(e[mail::secureType], 0x42);
    EXPECT_EQ(e[mail::reserved71], 0);
    expectField(e, mail::account, build::relayAccessKey);
    expectField(e, mail::password, build::relaySecret);
    expectField(e, mail::senderAddress, sender);
    expectField(e, mail::senderName, sender.substr(0, sender.find('@')));
}

} // namespace
} // namespace halvorn
