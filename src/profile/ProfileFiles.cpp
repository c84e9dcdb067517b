#include "profile/ProfileFiles.h"

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
    // Saves of running copies of the program take turns, so that two saves
    // onto one card never interleave or read back each other's file.
    std::optional<platform::SaveLock> lock;
    if (backup) {
        lock.emplace(backup->parent_path() / kLockName, lockWaitMs_);
        if (auto error = lock->error()) {
            error->path = folder / kProfileBinName;
            return error;
        }
    }

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

void ProfileFiles::deleteBackup() {
    const auto backup = backupPath();
    if (backup) platform::removeFile(*backup);
}

} // namespace halvorn
