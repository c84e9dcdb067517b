#include "support/TestContext.h"

#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"

namespace halvorn::test {

namespace {
// Calls that look up the current entry of `calls` each time.
platform::SysCalls forwardingTo(platform::SysCalls& calls) {
    platform::SysCalls f;
    f.openFolder = [&calls](const char* path, int flags) { return calls.openFolder(path, flags); };
    f.openat = [&calls](int dirfd, const char* name, int flags, mode_t mode) {
        return calls.openat(dirfd, name, flags, mode);
    };
    f.write = [&calls](int fd, const void* buf, std::size_t n) { return calls.write(fd, buf, n); };
    f.read = [&calls](int fd, void* buf, std::size_t n) { return calls.read(fd, buf, n); };
    f.fsync = [&calls](int fd) { return calls.fsync(fd); };
    f.close = [&calls](int fd) { return calls.close(fd); };
    f.renameat = [&calls](int olddirfd, const char* oldname, int newdirfd, const char* newname) {
        return calls.renameat(olddirfd, oldname, newdirfd, newname);
    };
    f.unlinkat = [&calls](int dirfd, const char* name, int flags) { return calls.unlinkat(dirfd, name, flags); };
    return f;
}
} // namespace

TestContext::TestContext(int codePage)
    : codec(platform::makeCodec(codePage)),
      files(
          record, custom, [this]() -> std::optional<std::filesystem::path> { return tempPath(); },
          forwardingTo(sysCalls)),
      catalog(custom), ctx{record, *codec, prompter, files, custom, catalog, mailPresets, views} {
    applyProfileDefaults(record);
    views.narrow();
    record.setU8(rec::variantCode, static_cast<std::uint8_t>(kLayoutVariant));
}

std::filesystem::path TestContext::tempPath() const { return tempDir.path().toStdString(); }
std::filesystem::path TestContext::savePath() const { return saveDir.path().toStdString(); }

} // namespace halvorn::test
