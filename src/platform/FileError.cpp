#include "platform/DurableFile.h"

#include <cerrno>
#include <cstring>

namespace halvorn::platform {

namespace {

// The path as UTF-8 (POSIX: its bytes as they are).
std::string shownPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
#else
    return path.string();
#endif
}

std::string replacePath(const std::string& text, const std::filesystem::path& path) {
    const auto at = text.find("%1");
    if (at == std::string::npos) return text;
    return text.substr(0, at) + shownPath(path) + text.substr(at + 2);
}

} // namespace

std::string FileError::describe() const {
    if (replaced()) {
        const std::string cause = error == 0 ? "what was read back differs" : std::strerror(error);
        return replacePath("The new settings were written to %1, but could not be confirmed (", path) + cause +
               "). Check the card before using it.";
    }
    if (step == WriteStep::Lock && error == EWOULDBLOCK)
        return replacePath("%1 was not written: another save of Halvorn Setup is in progress. Try again.", path);
    switch (error) {
    case EACCES:
    case EPERM:
        return replacePath("Access to %1 was denied.", path);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return replacePath("Disk full while accessing %1.", path);
    case EROFS:
        return replacePath("%1 could not be written: the card is write-protected.", path);
    case ENOTDIR:
    case EEXIST:
        return replacePath("%1 could not be written: a part of the path is a file, not a folder.", path);
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return replacePath("%1 could not be written: the folder was not found; the card may have been removed.", path);
    case EIO:
        return replacePath("%1 could not be written: the card is unreadable (input/output error).", path);
    default:
        return replacePath("%1 could not be written: ", path) + std::strerror(error) + ".";
    }
}

} // namespace halvorn::platform
