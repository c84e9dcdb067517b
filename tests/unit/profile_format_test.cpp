#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileScramble.h"

#include <gtest/gtest.h>

#include <random>

namespace halvorn {
namespace {

ProfileRecord randomRecord(unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    ProfileRecord r;
    for (auto& b : r.bytes())
        b = static_cast<std::uint8_t>(byte(rng));
    return r;
}

OperatorEntry filledEntry(std::uint8_t value) {
    OperatorEntry e{};
    e.fill(value);
    return e;
}

TEST(CustomOperators, BuiltInEntries) {
    const auto c = CustomOperators::builtIn();
    const std::uint8_t name[] = {0xCA, 0xD6, 0x84, 0xD3, 0xD4, 0x4F, 0xB6, 0xA8};
    for (std::size_t n = 0; n <= CustomOperators::kCount; ++n) {
        const bool manual = n == CustomOperators::kCount;
        const OperatorEntry& e = manual ? c.manual : c.list[n];
        OperatorEntry want{};
        std::copy(std::begin(name), std::end(name), want.begin());
        if (!manual) {
            want[8] = 0x20;
            want[9] = static_cast<std::uint8_t>(0x31 + n);
        }
        const std::string gateway = "0.0.0.0";
        std::copy(gateway.begin(), gateway.end(), want.begin() + 96);
        want[112] = '0';
        EXPECT_EQ(e, want) << "entry " << n;
    }
}

TEST(ProfileBin, IsTheScrambledRecordFromByte20) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const ProfileRecord r = randomRecord(seed);
        const auto bin = encodeProfileBin(r);
        ASSERT_EQ(bin.size(), 996u);
        ProfileRecord scrambled = r;
        ProfileScramble::scramble(scrambled.bytes());
        for (std::size_t j = 0; j < bin.size(); ++j)
            ASSERT_EQ(bin[j], scrambled.bytes()[20 + j]) << j;
    }
}

TEST(ProfileBin, WordsStayAlignedToTheRecord) {
    ProfileRecord r;
    r.setU16(rec::sendTarget, 0x1234); // record bytes 78, 79: file bytes 58, 59
    const auto bin = encodeProfileBin(r);
    EXPECT_EQ(bin[58], 0xBE);
    EXPECT_EQ(bin[59], 0xDC);
    EXPECT_EQ(bin[0], 0xFF); // zero word
    EXPECT_EQ(bin[995], 0xFF);
}

TEST(Backup, FreshStartWithBuiltInTail) {
    ProfileRecord r;
    applyProfileDefaults(r);
    const auto custom = CustomOperators::builtIn();
    const auto file = encodeBackup(r, custom);
    ASSERT_EQ(file.size(), kBackupSize);
    ASSERT_EQ(file.size(), 2072u);
    ProfileRecord scrambled = r;
    ProfileScramble::scramble(scrambled.bytes());
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + 1016, scrambled.bytes().begin()));
    EXPECT_EQ(file[0], 0x9F); // "V", 0
    EXPECT_EQ(file[1], 0xFA);
    const std::uint8_t firstName[] = {0xCA, 0xD6, 0x84, 0xD3, 0xD4, 0x4F, 0xB6, 0xA8, 0x20, 0x31, 0};
    EXPECT_TRUE(std::equal(std::begin(firstName), std::end(firstName), file.begin() + 1016));
    EXPECT_EQ(file[1016 + 264 + 9], 0x32);
    EXPECT_EQ(file[1016 + 528 + 9], 0x33);
    EXPECT_EQ(file[1016 + 792 + 8], 0); // the manual entry has no number
    EXPECT_TRUE(std::equal(custom.manual.begin(), custom.manual.end(), file.begin() + 1808));
}

class DecodeBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        source = randomRecord(77);
        source.setU8(0, 'V');
        source.setU8(1, 0);
        sourceCustom.list = {filledEntry(1), filledEntry(2), filledEntry(3)};
        sourceCustom.manual = filledEntry(4);
        file = encodeBackup(source, sourceCustom);
        applyProfileDefaults(record);
    }

    // Replaces the unscrambled version mark bytes of the file.
    void setMark(std::uint8_t b0, std::uint8_t b1) {
        ProfileRecord plain = source;
        plain.setU8(0, b0);
        plain.setU8(1, b1);
        const auto encoded = encodeBackup(plain, sourceCustom);
        std::copy(encoded.begin(), encoded.begin() + 2, file.begin());
    }

    void expectUnchanged() {
        ProfileRecord expected;
        applyProfileDefaults(expected);
        EXPECT_EQ(record, expected);
        EXPECT_EQ(custom, CustomOperators::builtIn());
    }

    ProfileRecord source;
    CustomOperators sourceCustom;
    std::vector<std::uint8_t> file;
    ProfileRecord record;
    CustomOperators custom = CustomOperators::builtIn();
};

TEST_F(DecodeBackupTest, RoundTrip) {
    EXPECT_EQ(decodeBackup(file, record, custom), BackupVerdict::Accepted);
    EXPECT_EQ(record, source);
    EXPECT_EQ(custom, sourceCustom);
}

TEST_F(DecodeBackupTest, MarkIsOnlyVAndZero) {
    // Bytes 2 to 15 do not matter.
    EXPECT_EQ(decodeBackup(file, record, custom), BackupVerdict::Accepted);
    EXPECT_NE(record.u8(2), '4');

    record = ProfileRecord();
    applyProfileDefaults(record);
    custom = CustomOperators::builtIn();
    setMark('V', '4');
    EXPECT_EQ(decodeBackup(file, record, custom), BackupVerdict::WrongVersion);
    expectUnchanged();

    setMark('v', 0);
    EXPECT_EQ(decodeBackup(file, record, custom), BackupVerdict::WrongVersion);
    expectUnchanged();
}

TEST_F(DecodeBackupTest, ShortFilesAreRejectedWithoutATrace) {
    for (std::size_t size : {0u, 1u, 2u, 1014u, 1015u}) {
        const std::span<const std::uint8_t> part(file.data(), size);
        EXPECT_EQ(decodeBackup(part, record, custom), BackupVerdict::TooShort) << size;
        expectUnchanged();
    }
}

TEST_F(DecodeBackupTest, ExactlyTheRecordEmptiesTheTail) {
    const std::span<const std::uint8_t> part(file.data(), 1016);
    EXPECT_EQ(decodeBackup(part, record, custom), BackupVerdict::Accepted);
    EXPECT_EQ(record, source);
    CustomOperators empty;
    EXPECT_EQ(custom, empty);
}

TEST_F(DecodeBackupTest, ShortTailReadsAsZeros) {
    // The tail ends two bytes into the manual entry.
    const std::span<const std::uint8_t> part(file.data(), 1016 + 792 + 2);
    EXPECT_EQ(decodeBackup(part, record, custom), BackupVerdict::Accepted);
    EXPECT_EQ(custom.list, sourceCustom.list);
    OperatorEntry partial{};
    partial[0] = partial[1] = 4;
    EXPECT_EQ(custom.manual, partial);
}

TEST_F(DecodeBackupTest, BytesBeyondTheTailAreIgnored) {
    file.resize(file.size() + 500, 0xEE);
    EXPECT_EQ(decodeBackup(file, record, custom), BackupVerdict::Accepted);
    EXPECT_EQ(record, source);
    EXPECT_EQ(custom, sourceCustom);
}

} // namespace
} // namespace halvorn
