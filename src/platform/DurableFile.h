#pragma once
// Writing a file so that it is either wholly replaced and on the device, or
// not touched at all: a new file beside the target, every byte written and
// checked, synced, closed, renamed over the target, the folder synced, and the
// result read back and compared. Any failure removes the new file and keeps
// the old one. POSIX and Win32 each have their own implementation, chosen at
// build time; errors reach the callers as errno values on both.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace halvorn::platform {

enum class WriteStep { Lock, OpenFolder, Create, Write, Sync, Close, Rename, SyncFolder, ReadBack };

struct FileError {
    WriteStep step;
    int error; // errno (on Windows mapped from the system's error code), or 0 when the read-back differed
    std::filesystem::path path;
    // True when the new file had already replaced the target when the step
    // failed: it is there, but could not be confirmed.
    bool replaced() const { return step == WriteStep::SyncFolder || step == WriteStep::ReadBack; }
    // The cause in words, naming the file ("Disk full while accessing /media/card/PROFILE.BIN.").
    std::string describe() const;
};

// The operating-system calls the writer makes. Tests replace single entries to
// make a chosen step fail.
#ifdef _WIN32
// A failing call returns false (or an invalid handle) with the error left for
// GetLastError. Handles are HANDLE, sizes DWORD; no Windows header needed here.
struct SysCalls {
    std::function<void*(const wchar_t* path, unsigned long access, unsigned long share, unsigned long disposition,
                        unsigned long flags)>
        createFile;
    std::function<bool(void* file, const void* buf, unsigned long n, unsigned long* done)> writeFile;
    std::function<bool(void* file, void* buf, unsigned long n, unsigned long* done)> readFile;
    std::function<bool(void* file)> flush;
    std::function<bool(void* file)> close;
    std::function<bool(const wchar_t* from, const wchar_t* to)> replace; // MoveFileExW, replacing, written through
    std::function<bool(const wchar_t* path)> remove;

    static SysCalls real();
};
// The errno value for a Windows error code.
int errnoOfSystemError(unsigned long code);
#else
struct SysCalls {
    std::function<int(const char* path, int flags)> openFolder;
    std::function<int(int dirfd, const char* name, int flags, mode_t mode)> openat;
    std::function<ssize_t(int fd, const void* buf, std::size_t n)> write;
    std::function<ssize_t(int fd, void* buf, std::size_t n)> read;
    std::function<int(int fd)> fsync;
    // Drops the file's cached pages, so that the read-back reads the device.
    std::function<int(int fd)> dropCache;
    std::function<int(int fd)> close;
    std::function<int(int olddirfd, const char* oldname, int newdirfd, const char* newname)> renameat;
    std::function<int(int dirfd, const char* name, int flags)> unlinkat;

    static SysCalls real();
};
#endif

struct WriteOptions {
    mode_t mode = 0644;       // permissions of the new file (POSIX; a Windows file takes its folder's)
    bool syncToDevice = true; // fsync the file and the folder
};

// Replaces `target` with `bytes`. Nothing on success.
std::optional<FileError> writeFileDurably(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                          const WriteOptions& options = {}, const SysCalls& sys = SysCalls::real());

// Reads a whole file that must be a regular file owned by this user with a
// single link, opened without following a symbolic link. Nothing otherwise.
std::optional<std::vector<std::uint8_t>> readOwnFile(const std::filesystem::path& path);

// A file read whole, or the errno of what failed (EISDIR or EINVAL: not a regular file).
struct FileRead {
    std::vector<std::uint8_t> bytes;
    int error = 0;
};

// Reads a regular file, any owner's, up to `limit` bytes (a longer file gives
// its first `limit` bytes).
FileRead readFile(const std::filesystem::path& path, std::size_t limit);

// Removes leftovers of interrupted writes of `target` in its folder: those of
// processes that no longer run. A leftover of a running process (a save in
// progress in another copy of the program) is kept.
void removeStaleTemporaries(const std::filesystem::path& target);

// An advisory lock held on a lock file until the object goes away: only one
// holder at a time, whichever process it is in.
class FileLock {
public:
    // Waits up to `waitMs` milliseconds for the lock on `lockFile` (created
    // owner-only when missing; when it cannot be opened, no lock is taken).
    FileLock(const std::filesystem::path& lockFile, int waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Nothing when the lock is held; otherwise why not (step Lock; EWOULDBLOCK: another holder has it).
    std::optional<FileError> error() const { return error_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::optional<FileError> error_;
};

// True when a file or folder exists at the path.
bool pathExists(const std::filesystem::path& path);

// Deletes the file at the path; a missing file or a failure is not reported.
void removeFile(const std::filesystem::path& path);

} // namespace halvorn::platform
