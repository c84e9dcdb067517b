#include "platform/Volumes.h"

#include <QStorageInfo>

#include <pwd.h>
#include <unistd.h>

namespace halvorn::platform {

std::vector<std::filesystem::path> mountedVolumeRoots() {
    std::vector<std::filesystem::path> roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) roots.emplace_back(volume.rootPath().toStdU16String());
    return roots;
}

std::string userName() {
    const passwd* entry = ::getpwuid(::geteuid());
    return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "";
}

} // namespace halvorn::platform
