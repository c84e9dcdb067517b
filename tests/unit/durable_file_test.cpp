#include "platform/DurableFile.h"
#include "support/FileHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace halvorn::platform {
namespace {

namespace fs = std::filesystem;
using test::namesIn;
using test::readAll;
using test::writeAll;

class TempDir {
public:
    TempDir() {
        std::string templ = (fs::temp_directory_path() / "durable-XXXXXX").string();
        path_ = ::mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The real calls, with one step made to fail on demand.
struct FailingSys {
    std::optional<WriteStep> failAt;
    int error = EIO;
    int dirFd = -1;
    int fileFd = -1;
    int writes = 0;
    bool shortWriteFirst = false;
    bool zeroWrite = false;
    bool interruptFirst = false;
    bool corruptRead = false;

    SysCalls calls() {
        SysCalls real = SysCalls::real();
        SysCalls s = real;
        s.openFolder = [this, real](const char* path, int flags) {
            if (failAt == WriteStep::OpenFolder) return errno = error, -1;
            return dirFd = real.openFolder(path, flags);
        };
        s.openat = [this, real](int dir, const char* name, int flags, mode_t mode) {
            if ((flags & O_CREAT) != 0) {
                if (failAt == WriteStep::Create) return errno = error, -1;
                return fileFd = real.openat(dir, name, flags, mode);
            }
            return real.openat(dir, name, flags, mode);
        };
        s.write = [this, real](int fd, const void* buf, std::size_t n) -> ssize_t {
            ++writes;
            if (interruptFirst && writes == 1) return errno = EINTR, -1;
            if (shortWriteFirst && writes == 1) return real.write(fd, buf, n / 2);
            if (zeroWrite) return 0;
            if (failAt == WriteStep::Write) return errno = error, -1;
            return real.write(fd, buf, n);
        };
        s.read = [this, real](int fd, void* buf, std::size_t n) -> ssize_t {
            const ssize_t got = real.read(fd, buf, n);
            if (corruptRead && got > 0) static_cast<std::uint8_t*>(buf)[0] ^= 0x01;
            return got;
        };
        s.fsync = [this, real](int fd) {
            if (fd == dirFd && failAt == WriteStep::SyncFolder) return errno = error, -1;
            if (fd == fileFd && failAt == WriteStep::Sync) return errno = error, -1;
            return real.fsync(fd);
        };
        s.close = [this, real](int fd) {
            const int r = real.close(fd);
            if (fd == fileFd && failAt == WriteStep::Close) return errno = error, -1;
            return r;
        };
        s.renameat = [this, real](int od, const char* on, int nd, const char* nn) {
            if (failAt == WriteStep::Rename) return errno = error, -1;
            return real.renameat(od, on, nd, nn);
        };
        return s;
    }
};

class DurableFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = dir.path() / "PROFILE.BIN";
        writeAll(target, oldBytes);
        for (std::size_t i = 0; i < newBytes.size(); ++i)
            newBytes[i] = static_cast<std::uint8_t>(i * 13);
    }

    void expectOldKept() {
        EXPECT_EQ(readAll(target), oldBytes);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"PROFILE.BIN"});
    }

    TempDir dir;
    fs::path target;
    std::vector<std::uint8_t> oldBytes = std::vector<std::uint8_t>(3000, 0x5A);
    std::vector<std::uint8_t> newBytes = std::vector<std::uint8_t>(996);
};

TEST_F(DurableFileTest, ReplacesALongerFileWhole) {
    EXPECT_EQ(writeFileDurably(target, newBytes), std::nullopt);
    EXPECT_EQ(readAll(target), newBytes);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"PROFILE.BIN"});
}

TEST_F(DurableFileTest, ModeIsAsAskedAndNeverWider) {
    const mode_t saved = ::umask(022);
    WriteOptions privateFile;
    privateFile.mode = 0600;
    EXPECT_EQ(writeFileDurably(dir.path() / "a.bak", newBytes, privateFile), std::nullopt);
    EXPECT_EQ(writeFileDurably(target, newBytes), std::nullopt);
    ::umask(077);
    EXPECT_EQ(writeFileDurably(dir.path() / "b", newBytes), std::nullopt);
    ::umask(saved);
    struct stat st {};
    ASSERT_EQ(::stat((dir.path() / "a.bak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    ASSERT_EQ(::stat((dir.path() / "b").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(DurableFileTest, ReplacesASymbolicLinkInsteadOfWritingThroughIt) {
    const fs::path elsewhere = dir.path() / "elsewhere";
    writeAll(elsewhere, oldBytes);
    fs::remove(target);
    fs::create_symlink(elsewhere, target);
    EXPECT_EQ(writeFileDurably(target, newBytes), std::nullopt);
    EXPECT_EQ(readAll(elsewhere), oldBytes);
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(readAll(target), newBytes);
}

TEST_F(DurableFileTest, EachStepFailingKeepsTheOldFile) {
    const struct {
        WriteStep step;
        int error;
        const char* words;
    } cases[] = {
        {WriteStep::OpenFolder, ENOENT, "the folder was not found"},
        {WriteStep::Create, EACCES, "Access to"},
        {WriteStep::Write, ENOSPC, "Disk full while accessing"},
        {WriteStep::Write, EIO, "input/output error"},
        {WriteStep::Sync, EIO, "input/output error"},
        {WriteStep::Close, EDQUOT, "Disk full while accessing"},
        {WriteStep::Rename, EROFS, "write-protected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        FailingSys fake{c.step, c.error};
        const auto error = writeFileDurably(target, newBytes, {}, fake.calls());
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->step, c.step);
        EXPECT_EQ(error->error, c.error);
        EXPECT_EQ(error->path, target);
        const std::string text = error->describe();
        EXPECT_NE(text.find(target.string()), std::string::npos) << text;
        EXPECT_NE(text.find(c.words), std::string::npos) << text;
        expectOldKept();
    }
}

TEST_F(DurableFileTest, ShortWriteThenErrorIsAWriteFailure) {
    FailingSys fake{WriteStep::Write, ENOSPC};
    fake.shortWriteFirst = true;
    const auto error = writeFileDurably(target, newBytes, {}, fake.calls());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Write);
    EXPECT_EQ(error->error, ENOSPC);
    EXPECT_EQ(fake.writes, 2);
    expectOldKept();
}

TEST_F(DurableFileTest, ShortWritesAndInterruptionsAreContinued) {
    FailingSys fake;
    fake.shortWriteFirst = true;
    EXPECT_EQ(writeFileDurably(target, newBytes, {}, fake.calls()), std::nullopt);
    EXPECT_EQ(readAll(target), newBytes);
    FailingSys interrupted;
    interrupted.interruptFirst = true;
    EXPECT_EQ(writeFileDurably(target, oldBytes, {}, interrupted.calls()), std::nullopt);
    EXPECT_EQ(readAll(target), oldBytes);
}

TEST_F(DurableFileTest, WriteOfNothingMeansTheDeviceIsFull) {
    FailingSys fake;
    fake.zeroWrite = true;
    const auto error = writeFileDurably(target, newBytes, {}, fake.calls());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Write);
    EXPECT_EQ(error->error, ENOSPC);
    EXPECT_EQ(error->describe(), "Disk full while accessing " + target.string() + ".");
    expectOldKept();
}

TEST_F(DurableFileTest, FolderSyncFailureIsReportedAfterTheRename) {
    FailingSys fake{WriteStep::SyncFolder, EIO};
    const auto error = writeFileDurably(target, newBytes, {}, fake.calls());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::SyncFolder);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"PROFILE.BIN"});
}

TEST_F(DurableFileTest, FolderThatCannotBeSyncedIsAccepted) {
    FailingSys fake{WriteStep::SyncFolder, EINVAL};
    EXPECT_EQ(writeFileDurably(target, newBytes, {}, fake.calls()), std::nullopt);
    EXPECT_EQ(readAll(target), newBytes);
}

TEST_F(DurableFileTest, NoSyncWhenNotAsked) {
    FailingSys fake{WriteStep::Sync, EIO};
    WriteOptions fast;
    fast.syncToDevice = false;
    EXPECT_EQ(writeFileDurably(target, newBytes, fast, fake.calls()), std::nullopt);
}

TEST_F(DurableFileTest, ReadBackMismatch) {
    FailingSys fake;
    fake.corruptRead = true;
    const auto error = writeFileDurably(target, newBytes, {}, fake.calls());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::ReadBack);
    EXPECT_EQ(error->error, 0);
    EXPECT_EQ(error->describe(), target.string() +
                                     " was not written correctly: what was read back differs; the card may be "
                                     "faulty or removed.");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"PROFILE.BIN"});
}

TEST(FileErrorText, NamesCauseAndFile) {
    const fs::path p = "/media/card/PROFILE.BIN";
    EXPECT_EQ((FileError{WriteStep::Create, EACCES, p}).describe(), "Access to /media/card/PROFILE.BIN was denied.");
    EXPECT_EQ((FileError{WriteStep::Create, EPERM, p}).describe(), "Access to /media/card/PROFILE.BIN was denied.");
    EXPECT_EQ((FileError{WriteStep::Create, EROFS, p}).describe(),
              "/media/card/PROFILE.BIN could not be written: the card is write-protected.");
    EXPECT_EQ((FileError{WriteStep::OpenFolder, ENOTDIR, p}).describe(),
              "/media/card/PROFILE.BIN could not be written: a part of the path is a file, not a folder.");
    EXPECT_EQ((FileError{WriteStep::OpenFolder, ENODEV, p}).describe(),
              "/media/card/PROFILE.BIN could not be written: the folder was not found; the card may have been "
              "removed.");
    const std::string generic = (FileError{WriteStep::Rename, EISDIR, p}).describe();
    EXPECT_EQ(generic, "/media/card/PROFILE.BIN could not be written: " + std::string(std::strerror(EISDIR)) + ".");
}

TEST_F(DurableFileTest, RealFailures) {
    // A part of the path is a file.
    const auto notDir = writeFileDurably(target / "PROFILE.BIN", newBytes);
    ASSERT_TRUE(notDir.has_value());
    EXPECT_EQ(notDir->step, WriteStep::OpenFolder);
    EXPECT_EQ(notDir->error, ENOTDIR);

    // The folder went away (the card was pulled) between the check and the write.
    const fs::path gone = dir.path() / "card";
    fs::create_directory(gone);
    fs::remove(gone);
    const auto missing = writeFileDurably(gone / "PROFILE.BIN", newBytes);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->error, ENOENT);

    // The target is a folder.
    fs::create_directory(dir.path() / "folder");
    const auto isDir = writeFileDurably(dir.path() / "folder", newBytes);
    ASSERT_TRUE(isDir.has_value());
    EXPECT_EQ(isDir->step, WriteStep::Rename);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"PROFILE.BIN", "folder"}));
}

TEST_F(DurableFileTest, ReadOnlyFolderDeniesAccess) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: permission bits refuse nothing";
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto error = writeFileDurably(target, newBytes);
    fs::permissions(dir.path(), fs::perms::owner_all);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Create);
    EXPECT_EQ(error->error, EACCES);
    expectOldKept();
}

// A mount namespace of this test process alone, so that the mounts below are
// seen by nobody else and vanish with the process.
bool privateMounts() {
    static const bool ok = [] {
        if (::unshare(CLONE_NEWNS) != 0) return false;
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return ok;
}

class SmallCardTest : public DurableFileTest {
protected:
    void SetUp() override {
        if (!privateMounts()) GTEST_SKIP() << "cannot make a private mount namespace (needs CAP_SYS_ADMIN)";
        card = dir.path() / "card";
        fs::create_directory(card);
        if (::mount("tmpfs", card.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs: " << std::strerror(errno);
        mounted = true;
        DurableFileTest::SetUp();
        target = card / "PROFILE.BIN";
        writeAll(target, oldBytes);
    }
    void TearDown() override {
        if (mounted) ::umount2(card.c_str(), MNT_DETACH);
    }

    void expectOldOnCard() {
        EXPECT_EQ(readAll(target), oldBytes);
        EXPECT_EQ(namesIn(card), std::vector<std::string>{"PROFILE.BIN"});
    }

    fs::path card;
    bool mounted = false;
};

TEST_F(SmallCardTest, FullCard) {
    const std::vector<std::uint8_t> big(std::size_t{200} * 1024, 0x11);
    const auto error = writeFileDurably(target, big);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Write);
    EXPECT_EQ(error->error, ENOSPC);
    EXPECT_NE(error->describe().find("Disk full"), std::string::npos);
    expectOldOnCard();
}

TEST_F(SmallCardTest, WriteProtectedCard) {
    ASSERT_EQ(::mount(nullptr, card.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    const auto error = writeFileDurably(target, newBytes);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Create);
    EXPECT_EQ(error->error, EROFS);
    EXPECT_NE(error->describe().find("write-protected"), std::string::npos);
    expectOldOnCard();
}

} // namespace
} // namespace halvorn::platform
