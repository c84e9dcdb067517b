#pragma once
// The user's temporary folder, where the backup lives.

#include <filesystem>
#include <functional>
#include <optional>

namespace halvorn::platform {

// POSIX: $TMPDIR when it is an absolute path naming a folder; otherwise
// $XDG_CACHE_HOME (else ~/.cache) plus "halvorn-setup", created owner-only.
// Windows: the folder GetTempPathW names. Nothing when no such folder can be had.
std::optional<std::filesystem::path> userTempFolder();

using TempFolderSource = std::function<std::optional<std::filesystem::path>()>;

} // namespace halvorn::platform
