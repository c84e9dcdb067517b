#include "store/ProfileFiles.h"

#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"

#include <utility>

namespace halvorn {

ProfileFiles::ProfileFiles(ProfileRecord& record, CustomOperators& custom, platform::TempFolderSource tempFolder,
                           platform::SysCalls sys)
    : record_(record), custom_(custom), tempFolder_(std::move(tempFolder)), sys_(std::move(sys)) {}

std::optional<std::filesystem::path> ProfileFiles::backupPath() const {
    if (!tempFolder_) return std::nullopt;
    auto folder = tempFolder_();
    if (!folder || folder->empty()) return std::nullopt;
    return *folder / kBackupName;
}

std::optional<platform::FileError> ProfileFiles::saveProfileFiles(const std::filesystem::path& folder) {
    const auto backup = backupPath();
    const SaveLock turn(backup ? std::optional(backup->parent_path()) : std::nullopt, lockWaitMs_);
    if (auto refused = turn.refusal(folder / kProfileBinName)) return refused;

    platform::WriteOptions binOptions;
    binOptions.mode = 0644;
    binOptions.syncToDevice = syncToDevice_;
    if (auto error = platform::writeFileDurably(folder / kProfileBinName, encodeProfileBin(record_), binOptions, sys_))
        return error;

    if (!backup) return std::nullopt; // no temporary folder: no backup, and nothing to report

    platform::WriteOptions backupOptions;
    backupOptions.mode = 0600; // the backup holds the mail account's password
    backupOptions.syncToDevice = syncToDevice_;
    return platform::writeFileDurably(*backup, encodeBackup(record_, custom_), backupOptions, sys_);
}

void ProfileFiles::loadBackup() {
    const auto backup = backupPath();
    if (!backup) return; // the record keeps its initial contents

    platform::removeStaleTemporaries(*backup);
    const auto bytes = platform::readOwnFile(*backup);
    if (!bytes || decodeBackup(*bytes, record_, custom_) != BackupVerdict::Accepted) applyProfileDefaults(record_);
}

LoadResult ProfileFiles::readCard(const std::filesystem::path& folder) {
    LoadResult result{LoadResult::Kind::Loaded, folder / kProfileBinName};
    // One byte more than the file may hold tells a longer file from a whole one.
    const platform::FileRead read = platform::readFile(result.path, kProfileBinSize + 1);
    result.size = read.bytes.size();
    if (read.error != 0) {
        result.kind = LoadResult::Kind::Unreadable;
        result.error = read.error;
    } else if (!decodeProfileBin(read.bytes, record_)) {
        result.kind = LoadResult::Kind::WrongSize;
    }
    return result;
}

std::optional<platform::FileError> ProfileFiles::exportSettings(const std::filesystem::path& file) const {
    platform::WriteOptions options;
    options.mode = 0600; // like the backup, it holds the mail account's password
    options.syncToDevice = syncToDevice_;
    return platform::writeFileDurably(file, encodeBackup(record_, custom_), options, sys_);
}

LoadResult ProfileFiles::importSettings(const std::filesystem::path& file) {
    LoadResult result{LoadResult::Kind::Loaded, file};
    const platform::FileRead read = platform::readFile(file, kBackupSize);
    result.size = read.bytes.size();
    if (read.error != 0) {
        result.kind = LoadResult::Kind::Unreadable;
        result.error = read.error;
        return result;
    }
    switch (decodeBackup(read.bytes, record_, custom_)) {
    case BackupVerdict::Accepted:
        break;
    case BackupVerdict::TooShort:
        result.kind = LoadResult::Kind::TooShort;
        break;
    case BackupVerdict::WrongVersion:
        result.kind = LoadResult::Kind::WrongVersion;
        break;
    }
    return result;
}

void ProfileFiles::deleteBackup() {
    const auto backup = backupPath();
    if (backup) platform::removeFile(*backup);
}

} // namespace halvorn
