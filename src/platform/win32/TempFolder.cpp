#include "platform/TempFolder.h"

#include <windows.h>

namespace halvorn::platform {

// Windows: the user's own temporary folder, as the system names it.
std::optional<std::filesystem::path> userTempFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH) return std::nullopt;
    std::filesystem::path folder(std::wstring(buffer, n));
    std::error_code ec;
    if (!folder.is_absolute() || !std::filesystem::is_directory(folder, ec)) return std::nullopt;
    return folder;
}

} // namespace halvorn::platform
