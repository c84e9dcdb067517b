#include "profile/ProfileFormat.h"
#include "profile/ProfileScramble.h"
#include "support/FileHelpers.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace halvorn;
using enum BackupVerdict;
using Bytes = std::vector<std::uint8_t>;
using test::fixture;

static ProfileRecord recordOf(const Bytes& bytes) {
    ProfileRecord r;
    std::copy_n(bytes.begin(), std::min(bytes.size(), kRecordSize), r.bytes().begin());
    return r;
}
// The custom operator list and the manual-setting entry as a backup's tail carries them.
static Bytes tailOf(const CustomOperators& c) {
    Bytes tail;
    for (const OperatorEntry& e : {c.list[0], c.list[1], c.list[2], c.manual})
        tail.insert(tail.end(), e.begin(), e.end());
    return tail;
}
// The reference backup decodes to the reference record and tail, and encodes back from them, as does
// PROFILE.BIN; the built-in entries are the reference's.
TEST(ProfileFormat, ReferenceFiles) {
    const Bytes backup = fixture("reference/setupV4.56J.bak"), record = fixture("reference/record.bin");
    ProfileRecord r;
    CustomOperators c;
    ASSERT_EQ(decodeBackup(backup, r, c), Accepted);
    EXPECT_EQ(std::pair(r, tailOf(c)), std::pair(recordOf(record), fixture("reference/custom-tail.bin")));
    EXPECT_EQ(encodeBackup(r, c), backup);
    EXPECT_EQ(encodeProfileBin(recordOf(record)), fixture("reference/PROFILE.BIN"));
    EXPECT_EQ(tailOf(CustomOperators::builtIn()), fixture("reference/builtin-tail.bin"));
}
// The reference backup cut or lengthened to n bytes, with the unscrambled mark b0, b1: a refused
// backup changes nothing; an accepted one gives the record and the tail, what it lacks as zeros.
TEST(ProfileFormat, DecodingAtTheBoundariesOfLengthAndMark) {
    const Bytes backup = fixture("reference/setupV4.56J.bak"), record = fixture("reference/record.bin");
    ASSERT_EQ(backup.size(), kBackupSize);
    // clang-format off
    const std::tuple<std::size_t, std::uint8_t, std::uint8_t, BackupVerdict> rows[] = {
        {0, 'V', 0, TooShort}, {1015, 'V', 0, TooShort}, {1016, 'V', 0, Accepted}, {1017, 'V', 0, Accepted},
        {1808, 'V', 0, Accepted}, {1810, 'V', 0, Accepted}, {2071, 'V', 0, Accepted}, {2072, 'V', 0, Accepted},
        {2600, 'V', 0, Accepted}, {2072, 'v', 0, WrongVersion}, {2072, 'V', '4', WrongVersion},
        {1016, 'W', 0, WrongVersion}, {2072, 0, 0, WrongVersion}};
    // clang-format on
    for (const auto& [n, b0, b1, verdict] : rows) {
        Bytes file = backup, mark{b0, b1};
        ProfileScramble::scramble(mark);
        std::copy(mark.begin(), mark.end(), file.begin());
        file.resize(n, 0xEE);
        ProfileRecord r;
        CustomOperators c = CustomOperators::builtIn();
        EXPECT_EQ(decodeBackup(file, r, c), verdict) << n;
        const bool taken = verdict == Accepted;
        Bytes tail = taken ? Bytes(file.begin() + kRecordSize, file.end()) : tailOf(CustomOperators::builtIn());
        tail.resize(kBackupTailSize, 0); // beyond the tail ignored, what the file lacks zero
        EXPECT_EQ(std::pair(r, tailOf(c)), std::pair(taken ? recordOf(record) : ProfileRecord(), tail)) << n;
    }
}
