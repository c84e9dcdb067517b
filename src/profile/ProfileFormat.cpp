#include "profile/ProfileFormat.h"

#include "profile/ProfileScramble.h"

#include <algorithm>
#include <array>

namespace halvorn {

namespace {

std::array<std::uint8_t, kRecordSize> scrambledCopy(const ProfileRecord& record) {
    std::array<std::uint8_t, kRecordSize> work{};
    const auto src = record.bytes();
    std::copy(src.begin(), src.end(), work.begin());
    ProfileScramble::scramble(work);
    return work;
}

} // namespace

std::vector<std::uint8_t> encodeProfileBin(const ProfileRecord& record) {
    const auto work = scrambledCopy(record);
    return {work.begin() + kProfileBinOffset, work.end()};
}

std::vector<std::uint8_t> encodeBackup(const ProfileRecord& record, const CustomOperators& custom) {
    const auto work = scrambledCopy(record);
    std::vector<std::uint8_t> out(work.begin(), work.end());
    out.reserve(kBackupSize);
    for (const auto& entry : custom.list)
        out.insert(out.end(), entry.begin(), entry.end());
    out.insert(out.end(), custom.manual.begin(), custom.manual.end());
    return out;
}

bool decodeProfileBin(std::span<const std::uint8_t> file, ProfileRecord& record) {
    if (file.size() != kProfileBinSize) return false;
    auto bytes = record.bytes().subspan(kProfileBinOffset);
    std::copy(file.begin(), file.end(), bytes.begin());
    ProfileScramble::unscramble(bytes);
    return true;
}

BackupVerdict decodeBackup(std::span<const std::uint8_t> file, ProfileRecord& record, CustomOperators& custom) {
    if (file.size() < kRecordSize) return BackupVerdict::TooShort;

    // Decode into scratch copies; the caller's record and entries change only
    // when the backup is accepted.
    ProfileRecord scratch;
    auto bytes = scratch.bytes();
    std::copy_n(file.begin(), kRecordSize, bytes.begin());
    ProfileScramble::unscramble(bytes);
    if (bytes[0] != static_cast<std::uint8_t>('V') || bytes[1] != 0) return BackupVerdict::WrongVersion;

    // The tail: what the file lacks reads as zero, what lies beyond is ignored.
    std::array<std::uint8_t, kBackupTailSize> tail{};
    const auto available = std::min(file.size() - kRecordSize, kBackupTailSize);
    std::copy_n(file.begin() + kRecordSize, available, tail.begin());

    CustomOperators loaded;
    for (std::size_t i = 0; i < CustomOperators::kCount; ++i)
        std::copy_n(tail.begin() + static_cast<std::ptrdiff_t>(i * kOperatorEntrySize), kOperatorEntrySize,
                    loaded.list[i].begin());
    std::copy_n(tail.begin() + static_cast<std::ptrdiff_t>(CustomOperators::kCount * kOperatorEntrySize),
                kOperatorEntrySize, loaded.manual.begin());

    record = scratch;
    custom = loaded;
    return BackupVerdict::Accepted;
}

} // namespace halvorn
