#pragma once
// The turns that saves take. Every write of PROFILE.BIN, by a window's save or
// by halvorn-profile's build, holds this lock, so that two writes onto one card
// never interleave or read back each other's file. The lock file lies beside
// the backup in the user's temporary folder.

#include "platform/DurableFile.h"

#include <filesystem>
#include <optional>

namespace halvorn {

constexpr const char* kLockName = "halvorn-setup.lock";
// How long a save waits for another one to end before it gives up.
constexpr int kSaveLockWaitMs = 5000;

class SaveLock {
public:
    // Waits up to `waitMs` milliseconds for the lock in the temporary folder.
    // Without a temporary folder there is nothing to take turns on.
    explicit SaveLock(const std::optional<std::filesystem::path>& tempFolder, int waitMs = kSaveLockWaitMs);
    // Nothing when the save may go ahead; otherwise why `target` was not written.
    std::optional<platform::FileError> refusal(const std::filesystem::path& target) const;

private:
    std::optional<platform::FileLock> lock_;
};

} // namespace halvorn
