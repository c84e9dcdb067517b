#include "fuzz/FuzzSupport.h"

#include "profile/ProfileFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace halvorn::fuzz {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

namespace {
void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(privateFolder(), ignored);
}
} // namespace

const std::filesystem::path& privateFolder() {
    static const std::filesystem::path folder = [] {
        std::string templ = (std::filesystem::temp_directory_path() / "halvorn-fuzz-XXXXXX").string();
        require(::mkdtemp(templ.data()) != nullptr, "cannot make a temporary folder");
        std::atexit(removeFolder);
        return std::filesystem::path(templ);
    }();
    return folder;
}

void writeBackupFile(const std::filesystem::path& folder, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path path = folder / kBackupName;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    require(fd >= 0, "cannot create the backup file");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        require(n > 0, "cannot write the backup file");
        done += static_cast<std::size_t>(n);
    }
    require(::close(fd) == 0, "cannot close the backup file");
}

} // namespace halvorn::fuzz
