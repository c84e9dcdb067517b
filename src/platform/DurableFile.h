#pragma once
// Writing a file so that it is either wholly replaced and on the device, or
// not touched at all: a new file beside the target, every byte written and
// checked, synced, closed, renamed over the target, the folder synced, and the
// result read back and compared. Any failure removes the new file and keeps
// the old one.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace halvorn::platform {

enum class WriteStep { OpenFolder, Create, Write, Sync, Close, Rename, SyncFolder, ReadBack };

struct FileError {
    WriteStep step;
    int error; // errno, or 0 when the read-back differed
    std::filesystem::path path;
    // The cause in words, naming the file ("Disk full while accessing /media/card/PROFILE.BIN.").
    std::string describe() const;
};

// The operating-system calls the writer makes. Tests replace single entries to
// make a chosen step fail.
struct SysCalls {
    std::function<int(const char* path, int flags)> openFolder;
    std::function<int(int dirfd, const char* name, int flags, mode_t mode)> openat;
    std::function<ssize_t(int fd, const void* buf, std::size_t n)> write;
    std::function<ssize_t(int fd, void* buf, std::size_t n)> read;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(int olddirfd, const char* oldname, int newdirfd, const char* newname)> renameat;
    std::function<int(int dirfd, const char* name, int flags)> unlinkat;

    static SysCalls real();
};

struct WriteOptions {
    mode_t mode = 0644;       // permissions of the new file
    bool syncToDevice = true; // fsync the file and the folder
};

// Replaces `target` with `bytes`. Nothing on success.
std::optional<FileError> writeFileDurably(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                          const WriteOptions& options = {}, const SysCalls& sys = SysCalls::real());

// Reads a whole file that must be a regular file owned by this user with a
// single link, opened without following a symbolic link. Nothing otherwise.
std::optional<std::vector<std::uint8_t>> readOwnFile(const std::filesystem::path& path);

// Removes leftovers of interrupted writes of `target` in its folder.
void removeStaleTemporaries(const std::filesystem::path& target);

// True when a file or folder exists at the path.
bool pathExists(const std::filesystem::path& path);

// Deletes the file at the path; a missing file or a failure is not reported.
void removeFile(const std::filesystem::path& path);

} // namespace halvorn::platform
