#include "platform/Volumes.h"

#include <windows.h>

namespace halvorn::platform {

// Windows: the removable drives ("E:\") that hold a medium.
std::vector<std::filesystem::path> mountedVolumeRoots() {
    std::vector<std::filesystem::path> roots;
    const DWORD drives = ::GetLogicalDrives();
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if ((drives & (1UL << (letter - L'A'))) == 0) continue;
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        if (::GetDriveTypeW(root) != DRIVE_REMOVABLE) continue;
        if (::GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) roots.emplace_back(root);
    }
    return roots;
}

std::string userName() {
    wchar_t name[257];
    DWORD size = 257;
    if (!::GetUserNameW(name, &size) || size == 0) return "";
    const int length = static_cast<int>(size - 1); // without its terminator
    const int n = ::WideCharToMultiByte(CP_ACP, 0, name, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, name, length, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

} // namespace halvorn::platform
