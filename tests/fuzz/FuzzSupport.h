#pragma once
// Helpers shared by the fuzz targets and their corpus replay.

#include <cstdint>
#include <filesystem>
#include <span>

namespace halvorn::fuzz {

// Ends the process with a message when an invariant does not hold, so that
// both libFuzzer and the replay driver report the input.
void require(bool condition, const char* what);

// A folder of this process alone, created on first use and removed at exit.
const std::filesystem::path& privateFolder();

// Writes the bytes as the backup file (owner-only) into the folder, replacing
// what was there.
void writeBackupFile(const std::filesystem::path& folder, std::span<const std::uint8_t> bytes);

} // namespace halvorn::fuzz
