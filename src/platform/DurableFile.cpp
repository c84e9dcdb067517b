#include "platform/DurableFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace halvorn::platform {

namespace {

constexpr std::size_t kReadCap = std::size_t{1024} * 1024;

// ".PROFILE.BIN.tmp-", built by appending: g++ 12 at -O3 reports a false
// overlap (-Wrestrict) for "." + std::string.
std::string temporaryPrefix(const std::filesystem::path& target) {
    std::string prefix(1, '.');
    prefix += target.filename().string();
    prefix += ".tmp-";
    return prefix;
}

std::string temporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return temporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

std::filesystem::path folderOf(const std::filesystem::path& target) {
    auto folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// One write attempt: every step checked; on failure the new file is removed
// and the old target stays as it was (up to the rename).
class Writer {
public:
    Writer(const std::filesystem::path& target, const WriteOptions& options, const SysCalls& sys)
        : target_(target), options_(options), sys_(sys) {}

    ~Writer() {
        if (fd_ >= 0) sys_.close(fd_);
        if (!tempName_.empty()) sys_.unlinkat(dirFd_, tempName_.c_str(), 0);
        if (dirFd_ >= 0) sys_.close(dirFd_);
    }

    std::optional<FileError> run(std::span<const std::uint8_t> bytes) {
        dirFd_ = sys_.openFolder(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd_ < 0) return fail(WriteStep::OpenFolder);

        // A target without write permission for its owner (also how a FAT
        // card shows the read-only attribute) is not replaced, not even by root.
        struct stat st {};
        if (::fstatat(dirFd_, target_.filename().c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            (st.st_mode & S_IWUSR) == 0)
            return fail(WriteStep::Create, EACCES);

        removeStaleTemporaries(target_);

        // A clash with a leftover of the same name is retried under the next name.
        for (int attempt = 0; fd_ < 0; ++attempt) {
            std::string name = temporaryName(target_);
            fd_ =
                sys_.openat(dirFd_, name.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC, options_.mode);
            if (fd_ >= 0) {
                tempName_ = std::move(name);
            } else if (errno != EEXIST || attempt >= 8) {
                return fail(WriteStep::Create);
            }
        }

        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = sys_.write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return fail(WriteStep::Write);
            if (n == 0) return fail(WriteStep::Write, ENOSPC); // no progress: the device is full
            done += static_cast<std::size_t>(n);
        }

        if (options_.syncToDevice) {
            if (sys_.fsync(fd_) != 0) return fail(WriteStep::Sync);
            // The bytes are on the device now; without the cached copy, the
            // read-back below reads what the card holds.
            sys_.dropCache(fd_);
        }

        const int fd = std::exchange(fd_, -1);
        // A failed close may report a write the device refused; the descriptor is gone either way.
        if (sys_.close(fd) != 0) return fail(WriteStep::Close);

        if (sys_.renameat(dirFd_, tempName_.c_str(), dirFd_, target_.filename().c_str()) != 0)
            return fail(WriteStep::Rename);
        tempName_.clear(); // the new file is the target now

        // Some file systems cannot sync a folder and answer EINVAL; the file
        // itself is synced and renamed by then, so that is not a failure.
        if (options_.syncToDevice && sys_.fsync(dirFd_) != 0 && errno != EINVAL) return fail(WriteStep::SyncFolder);

        return readBack(bytes);
    }

private:
    std::optional<FileError> fail(WriteStep step, int error = -1) {
        return FileError{step, error < 0 ? errno : error, target_};
    }

    std::optional<FileError> readBack(std::span<const std::uint8_t> expected) {
        const int fd = sys_.openat(dirFd_, target_.filename().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
        if (fd < 0) return fail(WriteStep::ReadBack);
        std::vector<std::uint8_t> got;
        std::uint8_t buffer[4096];
        int error = 0;
        // Read one byte more than expected, so that a longer file shows too.
        while (got.size() <= expected.size()) {
            const ssize_t n = sys_.read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                error = errno;
                break;
            }
            if (n == 0) break;
            got.insert(got.end(), buffer, buffer + n);
        }
        sys_.close(fd);
        if (error != 0) return fail(WriteStep::ReadBack, error);
        if (!std::equal(got.begin(), got.end(), expected.begin(), expected.end())) return fail(WriteStep::ReadBack, 0);
        return std::nullopt;
    }

    const std::filesystem::path& target_;
    const WriteOptions& options_;
    const SysCalls& sys_;
    int dirFd_ = -1;
    int fd_ = -1;
    std::string tempName_;
};

} // namespace

SysCalls SysCalls::real() {
    SysCalls s;
    s.openFolder = [](const char* path, int flags) { return ::open(path, flags); };
    s.openat = [](int dirfd, const char* name, int flags, mode_t mode) { return ::openat(dirfd, name, flags, mode); };
    s.write = [](int fd, const void* buf, std::size_t n) { return ::write(fd, buf, n); };
    s.read = [](int fd, void* buf, std::size_t n) { return ::read(fd, buf, n); };
    s.fsync = [](int fd) { return ::fsync(fd); };
    s.dropCache = [](int fd) { return ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED); };
    s.close = [](int fd) { return ::close(fd); };
    s.renameat = [](int olddirfd, const char* oldname, int newdirfd, const char* newname) {
        return ::renameat(olddirfd, oldname, newdirfd, newname);
    };
    s.unlinkat = [](int dirfd, const char* name, int flags) { return ::unlinkat(dirfd, name, flags); };
    return s;
}

std::optional<FileError> writeFileDurably(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                          const WriteOptions& options, const SysCalls& sys) {
    Writer writer(target, options, sys);
    return writer.run(bytes);
}

namespace {

// Reads from the descriptor until its end or `limit` bytes; the errno of a failed read.
int readUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    std::uint8_t buffer[4096];
    while (bytes.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return 0;
}

} // namespace

std::optional<std::vector<std::uint8_t>> readOwnFile(const std::filesystem::path& path) {
    // O_NONBLOCK keeps a planted FIFO from blocking the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::vector<std::uint8_t>> result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1) {
        std::vector<std::uint8_t> bytes;
        if (readUpTo(fd, kReadCap, bytes) == 0) result = std::move(bytes);
    }
    ::close(fd);
    return result;
}

FileRead readFile(const std::filesystem::path& path, std::size_t limit) {
    FileRead read;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        read.error = errno;
        return read;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        read.error = errno;
    else if (!S_ISREG(st.st_mode))
        read.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    else
        read.error = readUpTo(fd, limit, read.bytes);
    ::close(fd);
    if (read.error != 0) read.bytes.clear();
    return read;
}

void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        // "<prefix><pid>-<n>": only a process that no longer runs leaves one behind.
        const char* digits = name.c_str() + prefix.size();
        char* after = nullptr;
        errno = 0;
        const long pid = std::strtol(digits, &after, 10);
        if (after == digits || *after != '-' || errno != 0 || pid <= 0) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code ignored;
        if (!std::filesystem::is_directory(it->symlink_status(ignored))) std::filesystem::remove(it->path(), ignored);
    }
}

FileLock::FileLock(const std::filesystem::path& lockFile, int waitMs) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // Without a lock file (a read-only folder, say) there is nothing to take
    // turns on; what the holder goes on to do reports its own failures.
    if (fd_ < 0) return;
    constexpr int kStepMs = 50;
    for (int waited = 0;; waited += kStepMs) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        if (waited >= waitMs) break;
        ::usleep(kStepMs * 1000);
    }
    error_ = FileError{WriteStep::Lock, errno, lockFile};
    ::close(fd_);
    fd_ = -1;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_); // closing the file releases the lock
}

bool pathExists(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void removeFile(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace halvorn::platform
