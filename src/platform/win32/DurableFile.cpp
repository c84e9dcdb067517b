// The file writer and readers on Windows: a new file created beside the target,
// written and flushed, moved over the target with the move written through,
// then read back and compared. Errors are mapped to the errno values the
// callers know.
#include "platform/DurableFile.h"

#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
#include <string>
#include <utility>

namespace halvorn::platform {

namespace {

constexpr std::size_t kReadCap = std::size_t{1024} * 1024;
constexpr int kStepMs = 50;
constexpr int kReplaceTries = 20; // a virus scanner may hold a new file for a moment

bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

std::wstring temporaryPrefix(const std::filesystem::path& target) {
    return L"." + target.filename().wstring() + L".tmp-";
}

std::wstring temporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return temporaryPrefix(target) + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
}

std::filesystem::path folderOf(const std::filesystem::path& target) {
    auto folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

class Writer {
public:
    Writer(const std::filesystem::path& target, const SysCalls& sys) : target_(target), sys_(sys) {}

    ~Writer() {
        if (valid(file_)) sys_.close(file_);
        if (!tempPath_.empty()) sys_.remove(tempPath_.c_str());
    }

    std::optional<FileError> run(std::span<const std::uint8_t> bytes) {
        const DWORD folder = ::GetFileAttributesW(folderOf(target_).c_str());
        if (folder == INVALID_FILE_ATTRIBUTES) return fail(WriteStep::OpenFolder);
        if ((folder & FILE_ATTRIBUTE_DIRECTORY) == 0) return fail(WriteStep::OpenFolder, ENOTDIR);

        // A read-only target (how a card's write-protected file shows) or a
        // reparse point (a link to somewhere else) is not replaced.
        const DWORD old = ::GetFileAttributesW(target_.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
            return fail(WriteStep::Create, EACCES);

        removeStaleTemporaries(target_);

        for (int attempt = 0; !valid(file_); ++attempt) {
            const std::wstring path = (folderOf(target_) / temporaryName(target_)).wstring();
            file_ = sys_.createFile(path.c_str(), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
            if (valid(file_)) {
                tempPath_ = path;
            } else if (::GetLastError() != ERROR_FILE_EXISTS || attempt >= 8) {
                return fail(WriteStep::Create);
            }
        }

        std::size_t done = 0;
        while (done < bytes.size()) {
            const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1U << 30));
            DWORD n = 0;
            if (!sys_.writeFile(file_, bytes.data() + done, want, &n)) return fail(WriteStep::Write);
            if (n == 0) return fail(WriteStep::Write, ENOSPC); // no progress: the device is full
            done += n;
        }
        if (!sys_.flush(file_)) return fail(WriteStep::Sync);
        if (!sys_.close(std::exchange(file_, nullptr))) return fail(WriteStep::Close);

        bool moved = false;
        for (int attempt = 0; !moved; ++attempt) {
            moved = sys_.replace(tempPath_.c_str(), target_.c_str());
            if (!moved && (::GetLastError() != ERROR_SHARING_VIOLATION || attempt >= kReplaceTries))
                return fail(WriteStep::Rename);
            if (!moved) ::Sleep(kStepMs);
        }
        tempPath_.clear(); // the new file is the target now
        return readBack(bytes);
    }

private:
    std::optional<FileError> fail(WriteStep step, int error = -1) {
        return FileError{step, error < 0 ? errnoOfSystemError(::GetLastError()) : error, target_};
    }

    std::optional<FileError> readBack(std::span<const std::uint8_t> expected) {
        HANDLE h = sys_.createFile(target_.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT);
        if (!valid(h)) return fail(WriteStep::ReadBack);
        std::vector<std::uint8_t> got;
        std::uint8_t buffer[4096];
        DWORD error = 0;
        // One byte more than expected is asked for, so that a longer file shows too.
        while (got.size() <= expected.size()) {
            DWORD n = 0;
            if (!sys_.readFile(h, buffer, sizeof buffer, &n)) {
                error = ::GetLastError();
                break;
            }
            if (n == 0) break;
            got.insert(got.end(), buffer, buffer + n);
        }
        sys_.close(h);
        if (error != 0) return fail(WriteStep::ReadBack, errnoOfSystemError(error));
        if (!std::equal(got.begin(), got.end(), expected.begin(), expected.end())) return fail(WriteStep::ReadBack, 0);
        return std::nullopt;
    }

    const std::filesystem::path& target_;
    const SysCalls& sys_;
    HANDLE file_ = nullptr;
    std::wstring tempPath_;
};

// A file opened for reading without following a reparse point; closed at the end of the scope.
struct ReadHandle {
    HANDLE h;
    explicit ReadHandle(const std::filesystem::path& path)
        : h(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {}
    ~ReadHandle() {
        if (valid(h)) ::CloseHandle(h);
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
};

// Reads until the end or `limit` bytes; the errno of a failed read.
int readUpTo(HANDLE h, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    std::uint8_t buffer[4096];
    while (bytes.size() < limit) {
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min(sizeof buffer, limit - bytes.size()));
        if (!::ReadFile(h, buffer, want, &n, nullptr)) return errnoOfSystemError(::GetLastError());
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return 0;
}

// The SIDs this process creates files as: its user, and its default owner
// (the Administrators group for an elevated administrator).
bool ownedByThisUser(HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                          &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, decltype(&::LocalFree)> freed(descriptor, &::LocalFree);
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    bool mine = false;
    for (const TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
        DWORD size = 0;
        ::GetTokenInformation(token, kind, nullptr, 0, &size);
        std::vector<std::uint8_t> info(size);
        if (size == 0 || !::GetTokenInformation(token, kind, info.data(), size, &size)) continue;
        const PSID sid = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid
                                           : reinterpret_cast<TOKEN_OWNER*>(info.data())->Owner;
        mine = mine || ::EqualSid(owner, sid) != 0;
    }
    ::CloseHandle(token);
    return mine;
}

} // namespace

int errnoOfSystemError(unsigned long code) {
    switch (code) {
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_READY:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return EIO;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_LOCK_VIOLATION:
        return EWOULDBLOCK;
    case ERROR_SHARING_VIOLATION:
        return EBUSY;
    default:
        return EINVAL;
    }
}

SysCalls SysCalls::real() {
    SysCalls s;
    s.createFile = [](const wchar_t* path, unsigned long access, unsigned long share, unsigned long disposition,
                      unsigned long flags) -> void* {
        return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
    };
    s.writeFile = [](void* f, const void* b, unsigned long n, unsigned long* done) {
        return ::WriteFile(f, b, n, done, nullptr) != 0;
    };
    s.readFile = [](void* f, void* b, unsigned long n, unsigned long* done) {
        return ::ReadFile(f, b, n, done, nullptr) != 0;
    };
    s.flush = [](void* f) { return ::FlushFileBuffers(f) != 0; };
    s.close = [](void* f) { return ::CloseHandle(f) != 0; };
    s.replace = [](const wchar_t* from, const wchar_t* to) {
        return ::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    };
    s.remove = [](const wchar_t* path) { return ::DeleteFileW(path) != 0; };
    return s;
}

std::optional<FileError> writeFileDurably(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                          const WriteOptions&, const SysCalls& sys) {
    Writer writer(target, sys);
    return writer.run(bytes);
}

std::optional<std::vector<std::uint8_t>> readOwnFile(const std::filesystem::path& path) {
    const ReadHandle file(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!valid(file.h) || !::GetFileInformationByHandle(file.h, &info)) return std::nullopt;
    if ((info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
        ::GetFileType(file.h) != FILE_TYPE_DISK || info.nNumberOfLinks != 1 || !ownedByThisUser(file.h))
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (readUpTo(file.h, kReadCap, bytes) != 0) return std::nullopt;
    return bytes;
}

FileRead readFile(const std::filesystem::path& path, std::size_t limit) {
    FileRead read;
    // A folder opens only with backup semantics: without them it is refused as denied.
    if (const DWORD a = ::GetFileAttributesW(path.c_str());
        a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        read.error = EISDIR;
        return read;
    }
    const ReadHandle file(path);
    if (!valid(file.h))
        read.error = errnoOfSystemError(::GetLastError());
    else if (::GetFileType(file.h) != FILE_TYPE_DISK)
        read.error = EINVAL;
    else
        read.error = readUpTo(file.h, limit, read.bytes);
    if (read.error != 0) read.bytes.clear();
    return read;
}

void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::wstring prefix = temporaryPrefix(target);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::wstring name = it->path().filename().wstring();
        if (name.rfind(prefix, 0) != 0) continue;
        // "<prefix><process id>-<n>": only a process that no longer runs leaves one behind.
        const wchar_t* digits = name.c_str() + prefix.size();
        wchar_t* after = nullptr;
        const unsigned long pid = std::wcstoul(digits, &after, 10);
        if (after == digits || *after != L'-' || pid == 0) continue;
        if (HANDLE p = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid); p != nullptr) {
            DWORD code = 0;
            const bool running = !::GetExitCodeProcess(p, &code) || code == STILL_ACTIVE;
            ::CloseHandle(p);
            if (running) continue;
        } else if (::GetLastError() != ERROR_INVALID_PARAMETER) { // that error: no such process
            continue;
        }
        std::error_code ignored;
        if (!std::filesystem::is_directory(it->symlink_status(ignored))) std::filesystem::remove(it->path(), ignored);
    }
}

FileLock::FileLock(const std::filesystem::path& lockFile, int waitMs) {
    HANDLE h = ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    // Without a lock file there is nothing to take turns on; what the holder
    // goes on to do reports its own failures.
    if (!valid(h)) return;
    for (int waited = 0;; waited += kStepMs) {
        OVERLAPPED at{};
        if (::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            handle_ = h;
            return;
        }
        if (::GetLastError() != ERROR_LOCK_VIOLATION || waited >= waitMs) break;
        ::Sleep(kStepMs);
    }
    error_ = FileError{WriteStep::Lock, errnoOfSystemError(::GetLastError()), lockFile};
    ::CloseHandle(h);
}

FileLock::~FileLock() {
    if (handle_ != nullptr) ::CloseHandle(handle_); // closing the file releases the lock
}

bool pathExists(const std::filesystem::path& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void removeFile(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace halvorn::platform
