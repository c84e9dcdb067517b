#include "store/SaveLock.h"

namespace halvorn {

SaveLock::SaveLock(const std::optional<std::filesystem::path>& tempFolder, int waitMs) {
    if (tempFolder && !tempFolder->empty()) lock_.emplace(*tempFolder / kLockName, waitMs);
}

std::optional<platform::FileError> SaveLock::refusal(const std::filesystem::path& target) const {
    auto error = lock_ ? lock_->error() : std::nullopt;
    if (error) error->path = target;
    return error;
}

} // namespace halvorn
