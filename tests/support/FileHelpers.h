#pragma once
// Small file helpers the file tests share; those after the fixtures are POSIX only.

#include "platform/DurableFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace halvorn::test {

inline std::vector<std::uint8_t> readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The names in a folder, sorted.
inline std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A file of tests/fixtures (the tests find it through HALVORN_FIXTURES).
inline std::vector<std::uint8_t> fixture(const std::string& name) {
    const char* root = std::getenv("HALVORN_FIXTURES");
    return readAll(std::filesystem::path(root != nullptr ? root : "tests/fixtures") / name);
}

// The lines of a text fixture, without its comments ("#") and empty lines.
inline std::vector<std::string> fixtureLines(const std::string& name) {
    const auto bytes = fixture(name);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

// A new owner-only folder in the system's temporary folder, removed with all it holds at the end of the scope.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        do
            folder_ = std::filesystem::temp_directory_path() / ("halvorn-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(folder_));
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return folder_; }

private:
    std::filesystem::path folder_;
};

#ifndef _WIN32
// Sets an environment variable, or with nothing unsets it.
inline void putEnv(const char* name, const std::optional<std::string>& value) {
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

// The type and permission bits of a path itself (a link is not followed); 0 when there is nothing.
inline mode_t modeOf(const std::filesystem::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode : 0;
}

// The id of a process that has ended.
inline pid_t deadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// Runs `check` in a child process as the ordinary user "nobody" (when this one is root, as a CI
// machine's may be: root ignores permission bits); true when the child reports success.
inline bool asOrdinaryUser(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool user = ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
                                               ::setresuid(65534, 65534, 65534) == 0);
        ::_exit(user && check() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif

// One fault in the real calls of the file writer: a step failing with an error (errno; on Windows a
// system error code) from its call number `skip` on, `times` times; or writes or a read-back that misbehave.
struct Fault {
    enum How { Fail, ZeroWrite, Irregular, CorruptRead } how;
    platform::WriteStep step;
    long error;
    int skip = 0;
    int times = 1 << 30;
};

// Per step, and the writes last: how often the writer called it.
using CallCounts = std::shared_ptr<std::array<int, 10>>;

// Whether this call of the step fails; if so, the error is set as the system sets it.
inline bool failsNow(const Fault& f, const CallCounts& calls, platform::WriteStep step) {
    if (f.how != Fault::Fail || f.step != step) return false;
    const int call = (*calls)[static_cast<int>(step)]++;
    if (call < f.skip || call >= f.skip + f.times) return false;
#ifdef _WIN32
    ::SetLastError(static_cast<unsigned long>(f.error));
#else
    errno = static_cast<int>(f.error);
#endif
    return true;
}

#ifndef _WIN32
inline platform::SysCalls faultySys(const Fault& f) {
    using enum platform::WriteStep;
    const platform::SysCalls real = platform::SysCalls::real();
    platform::SysCalls s = real;
    const CallCounts calls = std::make_shared<std::array<int, 10>>();
    const auto fail = [f, calls](platform::WriteStep step) { return failsNow(f, calls, step); };
    const auto isFolder = [](int fd) {
        struct stat st {};
        return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    };
    s.openFolder = [=](const char* p, int fl) { return fail(OpenFolder) ? -1 : real.openFolder(p, fl); };
    s.openat = [=](int d, const char* n, int fl, mode_t m) {
        return fail((fl & O_CREAT) != 0 ? Create : ReadBack) ? -1 : real.openat(d, n, fl, m);
    };
    s.write = [=](int fd, const void* b, std::size_t n) -> ssize_t {
        const int call = (*calls)[9]++; // the first write is interrupted, the second one short
        if (f.how == Fault::Irregular && call < 2) return call == 0 ? (errno = EINTR, -1) : real.write(fd, b, n / 2);
        if (f.how == Fault::ZeroWrite) return 0;
        return fail(Write) ? -1 : real.write(fd, b, n);
    };
    s.read = [=](int fd, void* b, std::size_t n) {
        const ssize_t got = real.read(fd, b, n);
        if (f.how == Fault::CorruptRead && got > 0) static_cast<std::uint8_t*>(b)[0] ^= 0x01;
        return got;
    };
    s.fsync = [=](int fd) { return fail(isFolder(fd) ? SyncFolder : Sync) ? -1 : real.fsync(fd); };
    s.close = [=](int fd) {
        const bool file = !isFolder(fd);
        return real.close(fd) != 0 || (file && fail(Close)) ? -1 : 0;
    };
    s.renameat = [=](int od, const char* o, int nd, const char* n) {
        return fail(Rename) ? -1 : real.renameat(od, o, nd, n);
    };
    return s;
}

#else
inline platform::SysCalls faultySys(const Fault& f) {
    using enum platform::WriteStep;
    const platform::SysCalls real = platform::SysCalls::real();
    platform::SysCalls s = real;
    const CallCounts calls = std::make_shared<std::array<int, 10>>();
    const auto fail = [f, calls](platform::WriteStep step) { return failsNow(f, calls, step); };
    s.createFile = [=](const wchar_t* p, unsigned long access, unsigned long share, unsigned long how,
                       unsigned long flags) {
        return fail(how == CREATE_NEW ? Create : ReadBack) ? INVALID_HANDLE_VALUE
                                                           : real.createFile(p, access, share, how, flags);
    };
    s.writeFile = [=](void* h, const void* b, unsigned long n, unsigned long* done) {
        const int call = (*calls)[9]++; // the first write is short
        if (f.how == Fault::Irregular && call == 0) return real.writeFile(h, b, n / 2, done);
        if (f.how == Fault::ZeroWrite) return *done = 0, true;
        return !fail(Write) && real.writeFile(h, b, n, done);
    };
    s.readFile = [=](void* h, void* b, unsigned long n, unsigned long* done) {
        const bool read = real.readFile(h, b, n, done);
        if (f.how == Fault::CorruptRead && read && *done > 0) static_cast<std::uint8_t*>(b)[0] ^= 0x01;
        return read;
    };
    s.flush = [=](void* h) { return !fail(Sync) && real.flush(h); };
    s.close = [=](void* h) { return real.close(h) && !fail(Close); };
    s.replace = [=](const wchar_t* from, const wchar_t* to) { return !fail(Rename) && real.replace(from, to); };
    return s;
}
#endif
} // namespace halvorn::test
