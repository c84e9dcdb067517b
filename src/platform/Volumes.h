#pragma once
// The mounted volumes and the user's name, for finding memory cards.

#include <filesystem>
#include <string>
#include <vector>

namespace halvorn::platform {

// The root folders of the mounted volumes that are ready for use (Windows: the removable drives only).
std::vector<std::filesystem::path> mountedVolumeRoots();

// The login name of the user running the program; empty when unknown.
std::string userName();

} // namespace halvorn::platform
