// Saving when the file system fails: every step of writing PROFILE.BIN and
// the backup fails in turn, through the profile files and through the main
// window's "OK"; then the same on real file systems (a write-protected
// folder, a folder that goes away, a full card). The previous files must stay
// whole, exactly one error message must name the file and the cause, and the
// success message must not appear.

#include "platform/DurableFile.h"
#include "profile/ProfileFormat.h"
#include "support/FileHelpers.h"
#include "support/TestContext.h"
#include "ui/main/DlgGSM.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace halvorn::test {
namespace {

namespace fs = std::filesystem;
using platform::WriteStep;
using test::namesIn;
using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Makes one step of writing one of the two files fail with an error number;
// every other call is the real one.
struct Fault {
    WriteStep step;
    int error;
    std::string file; // kProfileBinName or kBackupName
};

void inject(platform::SysCalls& calls, const Fault& fault) {
    const auto real = platform::SysCalls::real();
    auto fileFd = std::make_shared<int>(-1);
    const std::string tempPrefix = "." + fault.file + ".tmp-";
    calls.openat = [=](int dir, const char* name, int flags, mode_t mode) {
        if ((flags & O_CREAT) != 0 && std::string(name).rfind(tempPrefix, 0) == 0) {
            if (fault.step == WriteStep::Create) return errno = fault.error, -1;
            return *fileFd = real.openat(dir, name, flags, mode);
        }
        return real.openat(dir, name, flags, mode);
    };
    calls.write = [=](int fd, const void* buf, std::size_t n) -> ssize_t {
        if (fd == *fileFd && fault.step == WriteStep::Write) return errno = fault.error, -1;
        return real.write(fd, buf, n);
    };
    calls.fsync = [=](int fd) {
        if (fd == *fileFd && fault.step == WriteStep::Sync) return errno = fault.error, -1;
        return real.fsync(fd);
    };
    calls.close = [=](int fd) {
        if (fd != *fileFd) return real.close(fd);
        *fileFd = -1;
        const int rc = real.close(fd); // the descriptor is gone either way
        if (fault.step == WriteStep::Close) return errno = fault.error, -1;
        return rc;
    };
    calls.renameat = [=](int od, const char* on, int nd, const char* nn) {
        if (fault.step == WriteStep::Rename && fault.file == nn) return errno = fault.error, -1;
        return real.renameat(od, on, nd, nn);
    };
}

const Fault kFaults[] = {
    {WriteStep::Create, EACCES, kProfileBinName}, {WriteStep::Write, ENOSPC, kProfileBinName},
    {WriteStep::Sync, EIO, kProfileBinName},      {WriteStep::Close, EDQUOT, kProfileBinName},
    {WriteStep::Rename, EROFS, kProfileBinName},  {WriteStep::Create, ENOENT, kBackupName},
    {WriteStep::Write, EIO, kBackupName},         {WriteStep::Sync, EIO, kBackupName},
    {WriteStep::Close, ENOSPC, kBackupName},      {WriteStep::Rename, EACCES, kBackupName},
};

std::string traceOf(const Fault& f) {
    return f.file + " step " + std::to_string(static_cast<int>(f.step)) + ": " + std::strerror(f.error);
}

class SaveFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { writeOldFiles(t.savePath()); }

    // A complete earlier save of other settings, to be kept whole.
    void writeOldFiles(const fs::path& folder) {
        const ProfileRecord current = t.record;
        t.record.setU8(rec::maxSendCount, 7);
        ASSERT_EQ(t.files.saveProfileFiles(folder), std::nullopt);
        oldBin = readAll(folder / kProfileBinName);
        oldBackup = readAll(backup());
        ASSERT_EQ(oldBin.size(), kProfileBinSize);
        ASSERT_EQ(oldBackup.size(), kBackupSize);
        t.record = current;
    }

    fs::path bin(const fs::path& folder) const { return folder / kProfileBinName; }
    fs::path backup() const { return t.tempPath() / kBackupName; }

    // The window ready to save other settings than the old files hold into the folder.
    ui::DlgGSM& windowSavingInto(const fs::path& folder) {
        window = std::make_unique<ui::DlgGSM>(t.ctx, frame);
        window->controls().countField->setText(QStringLiteral("55"));
        window->controls().mailFields[0]->setText(QStringLiteral("a@b"));
        window->controls().pathField->setText(QString::fromStdString(folder.string()));
        return *window;
    }

    // Exactly one message: the error naming the file and the cause; no success message.
    void expectOneErrorReport(const platform::FileError& expected) {
        ASSERT_EQ(t.prompter.prompts.size(), 1u);
        const Prompt& m = t.prompter.prompts.front();
        EXPECT_EQ(m.kind, Prompt::Kind::Message);
        EXPECT_EQ(m.icon, ui::MessageIcon::Error);
        EXPECT_EQ(m.title, ui::applicationTitle());
        EXPECT_EQ(m.text, QString::fromLocal8Bit(expected.describe()));
        EXPECT_TRUE(m.text.contains(QString::fromStdString(expected.path.string()))) << m.text.toStdString();
        EXPECT_FALSE(m.text.contains(QStringLiteral("保存されました")));
    }

    // PROFILE.BIN and the backup as the earlier save left them (or PROFILE.BIN
    // new and whole when only the backup failed), and no leftovers beside them.
    void expectFilesWhole(const fs::path& folder, bool binReplaced) {
        if (binReplaced)
            EXPECT_EQ(readAll(bin(folder)), encodeProfileBin(t.record));
        else
            EXPECT_EQ(readAll(bin(folder)), oldBin);
        EXPECT_EQ(readAll(backup()), oldBackup);
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{kProfileBinName});
        EXPECT_EQ(namesIn(t.tempPath()), std::vector<std::string>{kBackupName});
    }

    TestContext t;
    FakeFrame frame;
    std::unique_ptr<ui::DlgGSM> window;
    Bytes oldBin;
    Bytes oldBackup;
};

TEST_F(SaveFaultsTest, EachStepFailingThroughTheProfileFiles) {
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(traceOf(fault));
        t.sysCalls = platform::SysCalls::real();
        inject(t.sysCalls, fault);
        t.record.setU8(rec::maxSendCount, 55);
        const auto error = t.files.saveProfileFiles(t.savePath());
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->step, fault.step);
        EXPECT_EQ(error->error, fault.error);
        const bool binFailed = fault.file == kProfileBinName;
        EXPECT_EQ(error->path, binFailed ? bin(t.savePath()) : backup());
        expectFilesWhole(t.savePath(), !binFailed);
        // Back to the old files for the next case.
        t.sysCalls = platform::SysCalls::real();
        writeOldFiles(t.savePath());
    }
}

TEST_F(SaveFaultsTest, EachStepFailingThroughTheMainWindow) {
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(traceOf(fault));
        t.prompter.clear();
        t.sysCalls = platform::SysCalls::real();
        inject(t.sysCalls, fault);
        windowSavingInto(t.savePath()).save();
        EXPECT_EQ(t.record.u8(rec::maxSendCount), 55); // the checks passed and stored
        const bool binFailed = fault.file == kProfileBinName;
        expectOneErrorReport({fault.step, fault.error, binFailed ? bin(t.savePath()) : backup()});
        expectFilesWhole(t.savePath(), !binFailed);
        t.sysCalls = platform::SysCalls::real();
        writeOldFiles(t.savePath());
    }
}

TEST_F(SaveFaultsTest, AfterAFailureTheNextSaveSucceeds) {
    inject(t.sysCalls, {WriteStep::Write, ENOSPC, kProfileBinName});
    auto& gsm = windowSavingInto(t.savePath());
    gsm.save();
    ASSERT_EQ(t.prompter.prompts.size(), 1u);
    t.prompter.clear();
    t.sysCalls = platform::SysCalls::real();
    gsm.save();
    ASSERT_EQ(t.prompter.prompts.size(), 1u);
    EXPECT_TRUE(t.prompter.prompts.front().text.contains(QStringLiteral("保存されました")));
    EXPECT_EQ(readAll(bin(t.savePath())), encodeProfileBin(t.record));
    EXPECT_EQ(readAll(backup()), encodeBackup(t.record, t.custom));
}

TEST_F(SaveFaultsTest, FolderRemovedBetweenTheCheckAndTheWrite) {
    const fs::path card = t.savePath() / "card";
    fs::create_directory(card);
    writeOldFiles(card);
    auto& gsm = windowSavingInto(card);
    // The card is pulled after the window found the folder, as the writer opens it.
    const auto realOpen = t.sysCalls.openFolder;
    t.sysCalls.openFolder = [&, realOpen](const char* path, int flags) {
        if (fs::path(path) == card) fs::remove_all(card);
        return realOpen(path, flags);
    };
    gsm.save();
    expectOneErrorReport({WriteStep::OpenFolder, ENOENT, bin(card)});
    EXPECT_FALSE(fs::exists(card));
    EXPECT_EQ(readAll(backup()), oldBackup);
}

TEST_F(SaveFaultsTest, ReadOnlyFolderAsAnOrdinaryUser) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: permission bits refuse nothing (see the mount tests)";
    fs::permissions(t.savePath(), fs::perms::owner_read | fs::perms::owner_exec);
    windowSavingInto(t.savePath()).save();
    fs::permissions(t.savePath(), fs::perms::owner_all);
    expectOneErrorReport({WriteStep::Create, EACCES, bin(t.savePath())});
    expectFilesWhole(t.savePath(), false);
}

// A mount namespace of this process alone: the small file systems mounted
// below are seen by nobody else and vanish with the process at the latest.
std::string privateMounts() {
    static const std::string problem = []() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0) return std::string("unshare(CLONE_NEWNS): ") + std::strerror(errno);
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string("making mounts private: ") + std::strerror(errno);
        return {};
    }();
    return problem;
}

// A 64 KiB tmpfs mounted over one of the test's folders.
class SmallCardTest : public SaveFaultsTest {
protected:
    void SetUp() override {}
    void TearDown() override {
        window.reset();
        for (const auto& m : mounts)
            ::umount2(m.c_str(), MNT_DETACH);
    }

    // Mounts a card over the folder; false (with the reason in `skip`) when the machine cannot.
    bool mountCard(const fs::path& folder) {
        if (const std::string problem = privateMounts(); !problem.empty()) {
            skip = "cannot make a private mount namespace (needs CAP_SYS_ADMIN): " + problem;
            return false;
        }
        if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") != 0) {
            skip = std::string("cannot mount a small tmpfs: ") + std::strerror(errno);
            return false;
        }
        mounts.push_back(folder);
        return true;
    }

    // Fills the file system holding the folder until it refuses another byte.
    static void fill(const fs::path& folder) {
        const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const std::vector<char> chunk(4096, 'f');
        while (::write(fd, chunk.data(), chunk.size()) > 0) {
        }
        const int e = errno;
        ::close(fd);
        ASSERT_EQ(e, ENOSPC);
    }

    std::vector<fs::path> mounts;
    std::string skip;
};

TEST_F(SmallCardTest, FullCardForProfileBin) {
    const fs::path card = t.savePath();
    if (!mountCard(card)) GTEST_SKIP() << skip;
    writeOldFiles(card);
    fill(card);
    windowSavingInto(card).save();
    expectOneErrorReport({WriteStep::Write, ENOSPC, bin(card)});
    EXPECT_EQ(readAll(bin(card)), oldBin);
    EXPECT_EQ(readAll(backup()), oldBackup);
    EXPECT_EQ(namesIn(card), (std::vector<std::string>{kProfileBinName, "filler"}));
}

TEST_F(SmallCardTest, FullTemporaryFolderForTheBackup) {
    if (!mountCard(t.tempPath())) GTEST_SKIP() << skip;
    writeOldFiles(t.savePath());
    fill(t.tempPath());
    windowSavingInto(t.savePath()).save();
    expectOneErrorReport({WriteStep::Write, ENOSPC, backup()});
    EXPECT_EQ(readAll(bin(t.savePath())), encodeProfileBin(t.record));
    EXPECT_EQ(readAll(backup()), oldBackup);
    EXPECT_EQ(namesIn(t.tempPath()), (std::vector<std::string>{"filler", kBackupName}));
}

TEST_F(SmallCardTest, WriteProtectedCard) {
    const fs::path card = t.savePath();
    if (!mountCard(card)) GTEST_SKIP() << skip;
    writeOldFiles(card);
    ASSERT_EQ(::mount(nullptr, card.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    windowSavingInto(card).save();
    expectOneErrorReport({WriteStep::Create, EROFS, bin(card)});
    EXPECT_EQ(readAll(bin(card)), oldBin);
    EXPECT_EQ(readAll(backup()), oldBackup);
}

} // namespace
} // namespace halvorn::test
