#pragma once
// The two file formats as pure functions: bytes in, bytes out.

#include "profile/CustomOperators.h"
#include "profile/ProfileRecord.h"

#include <cstdint>
#include <span>
#include <vector>

namespace halvorn {

constexpr std::size_t kProfileBinSize = 996; // scrambled record bytes 20 to 1015
constexpr std::size_t kProfileBinOffset = 20;
constexpr std::size_t kBackupTailSize = kOperatorEntrySize * (CustomOperators::kCount + 1);
constexpr std::size_t kBackupSize = kRecordSize + kBackupTailSize; // 2072

// PROFILE.BIN: the record scrambled as a whole, then bytes 20 to 1015.
std::vector<std::uint8_t> encodeProfileBin(const ProfileRecord& record);

// The backup: the scrambled record, then the custom list and the manual entry, unscrambled.
std::vector<std::uint8_t> encodeBackup(const ProfileRecord& record, const CustomOperators& custom);

// Reads a PROFILE.BIN into record bytes 20 to 1015; bytes 0 to 19 keep what
// they hold. A file that is not 996 bytes is refused and changes nothing.
bool decodeProfileBin(std::span<const std::uint8_t> file, ProfileRecord& record);

enum class BackupVerdict {
    Accepted,     // record and custom operators replaced from the file
    TooShort,     // fewer than 1016 bytes; nothing changed
    WrongVersion, // the unscrambled version mark is not "V", 0; nothing changed
};

// Reads a backup file's bytes. Only an accepted backup changes `record` and
// `custom`: a missing tail reads as zero bytes, bytes beyond the tail are ignored.
// A rejected backup leaves both exactly as they were.
BackupVerdict decodeBackup(std::span<const std::uint8_t> file, ProfileRecord& record, CustomOperators& custom);

} // namespace halvorn
