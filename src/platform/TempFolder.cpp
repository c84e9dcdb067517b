#include "platform/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace halvorn::platform {

namespace {

std::optional<std::filesystem::path> absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    std::filesystem::path p(value);
    if (!p.is_absolute()) return std::nullopt;
    return p;
}

// Creates the folder owner-only, or accepts an existing one only when it is a
// real folder (not a symbolic link) owned by this user.
bool ensureOwnFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) == 0) return true;
    if (errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    if ((st.st_mode & 077) != 0) ::chmod(folder.c_str(), 0700);
    return true;
}

} // namespace

std::optional<std::filesystem::path> userTempFolder() {
    if (auto tmp = absoluteEnv("TMPDIR")) {
        std::error_code ec;
        if (std::filesystem::is_directory(*tmp, ec)) return tmp;
    }
    std::filesystem::path cache;
    if (auto xdg = absoluteEnv("XDG_CACHE_HOME")) {
        cache = *xdg;
    } else if (auto home = absoluteEnv("HOME")) {
        cache = *home / ".cache";
    } else {
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(cache, ec)) {
        std::filesystem::create_directories(cache, ec);
        if (ec) return std::nullopt;
        ::chmod(cache.c_str(), 0700);
    }
    auto folder = cache / "halvorn-setup";
    if (!ensureOwnFolder(folder)) return std::nullopt;
    return folder;
}

} // namespace halvorn::platform
