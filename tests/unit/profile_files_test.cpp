#include "platform/TempFolder.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileScramble.h"
#include "support/FileHelpers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace halvorn {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::writeAll;

fs::path makeTempDir() {
    std::string templ = (fs::temp_directory_path() / "profile-files-XXXXXX").string();
    return ::mkdtemp(templ.data());
}

class ProfileFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = makeTempDir();
        temp = root / "temp";
        card = root / "card";
        fs::create_directories(temp);
        fs::create_directories(card);
        backup = temp / "setupV4.56J.bak";
    }
    void TearDown() override { fs::remove_all(root); }

    ProfileFiles files(ProfileRecord& r, CustomOperators& c, platform::SysCalls sys = platform::SysCalls::real()) {
        return ProfileFiles(
            r, c, [this] { return std::optional<fs::path>(temp); }, std::move(sys));
    }

    // What start-up does: a fresh record, then the backup or the defaults.
    void freshStart() {
        record = ProfileRecord();
        custom = CustomOperators::builtIn();
        files(record, custom).loadBackup();
    }

    static ProfileRecord defaultsOverInitial() {
        ProfileRecord r;
        applyProfileDefaults(r);
        return r;
    }

    void expectDefaultsAndBuiltIn() {
        EXPECT_EQ(record, defaultsOverInitial());
        EXPECT_EQ(custom, CustomOperators::builtIn());
    }

    // A valid backup of a recognisable record.
    std::vector<std::uint8_t> validBackup() {
        ProfileRecord r = defaultsOverInitial();
        r.setU8(rec::maxSendCount, 42);
        return encodeBackup(r, CustomOperators::builtIn());
    }

    fs::path root, temp, card, backup;
    ProfileRecord record;
    CustomOperators custom = CustomOperators::builtIn();
};

TEST_F(ProfileFilesTest, FreshStartWithoutBackupAppliesDefaults) {
    freshStart();
    expectDefaultsAndBuiltIn();
    EXPECT_EQ(record.u8(2), '.');
    EXPECT_EQ(record.u8(5), 'J');
}

TEST_F(ProfileFilesTest, SaveWritesBothFiles) {
    freshStart();
    writeAll(card / "PROFILE.BIN", std::vector<std::uint8_t>(5000, 0x33)); // a longer old file
    const mode_t saved = ::umask(022);
    const auto error = files(record, custom).saveProfileFiles(card);
    ::umask(saved);
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(readAll(card / "PROFILE.BIN"), encodeProfileBin(record));
    EXPECT_EQ(readAll(card / "PROFILE.BIN").size(), 996u);
    const auto stored = readAll(backup);
    ASSERT_EQ(stored.size(), 2072u);
    EXPECT_EQ(stored, encodeBackup(record, CustomOperators::builtIn()));
    struct stat st {};
    ASSERT_EQ(::stat(backup.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ASSERT_EQ(::stat((card / "PROFILE.BIN").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_EQ(fs::directory_iterator(card)->path().filename(), "PROFILE.BIN");
}

TEST_F(ProfileFilesTest, SavedBackupIsLoadedAtTheNextStart) {
    freshStart();
    record.setU8(rec::sendHour, 7);
    record.setU8(rec::variantCode, 32);
    custom.manual[0] = 'M';
    ASSERT_EQ(files(record, custom).saveProfileFiles(card), std::nullopt);
    const ProfileRecord savedRecord = record;
    const CustomOperators savedCustom = custom;
    freshStart();
    EXPECT_EQ(record, savedRecord);
    EXPECT_EQ(custom, savedCustom);
}

TEST_F(ProfileFilesTest, RejectedBackupsLeaveNothingBehind) {
    auto wrongMark = validBackup();
    // "V4" in the first word once unscrambled.
    wrongMark[0] = 0x9C;
    wrongMark[1] = 0xBA;
    auto shortFile = validBackup();
    shortFile.resize(1015);
    ASSERT_EQ(ProfileScramble::unscrambleWord(0xBA9C), 0x3456);
    for (const auto& bytes : {wrongMark, shortFile, std::vector<std::uint8_t>{}}) {
        writeAll(backup, bytes);
        freshStart();
        expectDefaultsAndBuiltIn();
    }
}

TEST_F(ProfileFilesTest, BackupOfExactlyTheRecordEmptiesTheCustomEntries) {
    auto bytes = validBackup();
    bytes.resize(1016);
    writeAll(backup, bytes);
    freshStart();
    EXPECT_EQ(record.u8(rec::maxSendCount), 42);
    EXPECT_EQ(custom, CustomOperators{});
}

TEST_F(ProfileFilesTest, UnsafeBackupsCountAsMissing) {
    const fs::path real = root / "planted";
    writeAll(real, validBackup());

    fs::create_symlink(real, backup);
    freshStart();
    expectDefaultsAndBuiltIn();
    fs::remove(backup);

    fs::create_hard_link(real, backup);
    freshStart();
    expectDefaultsAndBuiltIn();
    fs::remove(backup);

    fs::create_directory(backup);
    freshStart();
    expectDefaultsAndBuiltIn();
    fs::remove(backup);

    ASSERT_EQ(::mkfifo(backup.c_str(), 0600), 0); // must not hang
    freshStart();
    expectDefaultsAndBuiltIn();
    fs::remove(backup);

    // The same bytes as a plain file are taken.
    writeAll(backup, validBackup());
    freshStart();
    EXPECT_EQ(record.u8(rec::maxSendCount), 42);
}

TEST_F(ProfileFilesTest, LeftoversOfAnInterruptedSaveAreRemoved) {
    writeAll(temp / ".setupV4.56J.bak.tmp-123-0", {1, 2, 3});
    writeAll(temp / "other.txt", {1});
    freshStart();
    EXPECT_FALSE(fs::exists(temp / ".setupV4.56J.bak.tmp-123-0"));
    EXPECT_TRUE(fs::exists(temp / "other.txt"));
}

TEST_F(ProfileFilesTest, WithoutATemporaryFolder) {
    ProfileFiles noTemp(record, custom, [] { return std::optional<fs::path>(); });
    noTemp.loadBackup();
    EXPECT_EQ(record, ProfileRecord());
    EXPECT_EQ(noTemp.saveProfileFiles(card), std::nullopt);
    EXPECT_EQ(readAll(card / "PROFILE.BIN").size(), 996u);
    noTemp.deleteBackup();
    EXPECT_EQ(noTemp.backupPath(), std::nullopt);
}

TEST_F(ProfileFilesTest, DeleteBackup) {
    freshStart();
    auto f = files(record, custom);
    f.deleteBackup(); // nothing there: no effect
    ASSERT_EQ(f.saveProfileFiles(card), std::nullopt);
    ASSERT_TRUE(fs::exists(backup));
    f.deleteBackup();
    EXPECT_FALSE(fs::exists(backup));
    EXPECT_TRUE(fs::exists(card / "PROFILE.BIN"));
}

TEST_F(ProfileFilesTest, FailedProfileBinWritesNoBackup) {
    freshStart();
    writeAll(backup, validBackup());
    auto sys = platform::SysCalls::real();
    // Only the first file's write fails: a backup written after it would succeed and show.
    const auto realWrite = sys.write;
    auto calls = std::make_shared<int>(0);
    sys.write = [realWrite, calls](int fd, const void* buf, std::size_t n) -> ssize_t {
        if ((*calls)++ == 0) return errno = ENOSPC, -1;
        return realWrite(fd, buf, n);
    };
    const auto error = files(record, custom, sys).saveProfileFiles(card);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->path, card / "PROFILE.BIN");
    EXPECT_EQ(error->step, platform::WriteStep::Write);
    EXPECT_FALSE(fs::exists(card / "PROFILE.BIN"));
    EXPECT_EQ(readAll(backup), validBackup());
}

TEST_F(ProfileFilesTest, FailedBackupIsReportedWithItsPath) {
    freshStart();
    auto sys = platform::SysCalls::real();
    const auto realRename = sys.renameat;
    sys.renameat = [realRename](int od, const char* on, int nd, const char* nn) {
        if (std::string(nn) == "setupV4.56J.bak") return errno = EIO, -1;
        return realRename(od, on, nd, nn);
    };
    const auto error = files(record, custom, sys).saveProfileFiles(card);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->path, backup);
    EXPECT_EQ(readAll(card / "PROFILE.BIN").size(), 996u);
    EXPECT_TRUE(fs::is_empty(temp));
}

TEST_F(ProfileFilesTest, MissingFolderIsReported) {
    freshStart();
    const auto error = files(record, custom).saveProfileFiles(root / "gone");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->error, ENOENT);
    EXPECT_FALSE(fs::exists(backup));
}

class UserTempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = makeTempDir();
        for (const char* name : {"TMPDIR", "XDG_CACHE_HOME", "HOME"}) {
            const char* v = std::getenv(name);
            saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        fs::remove_all(root);
    }
    fs::path root;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(UserTempFolderTest, TmpdirWhenAbsoluteFolder) {
    ::setenv("TMPDIR", root.c_str(), 1);
    EXPECT_EQ(platform::userTempFolder(), root);
}

TEST_F(UserTempFolderTest, OwnerOnlyCacheFolderOtherwise) {
    ::setenv("TMPDIR", "relative/tmp", 1);
    ::setenv("XDG_CACHE_HOME", (root / "xdg").c_str(), 1);
    const auto folder = platform::userTempFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, root / "xdg" / "halvorn-setup");
    struct stat st {};
    ASSERT_EQ(::lstat(folder->c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    ::unsetenv("TMPDIR");
    ::unsetenv("XDG_CACHE_HOME");
    ::setenv("HOME", (root / "home").c_str(), 1);
    EXPECT_EQ(platform::userTempFolder(), root / "home" / ".cache" / "halvorn-setup");
}

TEST_F(UserTempFolderTest, PlantedLinkOrFileIsRefused) {
    ::unsetenv("TMPDIR");
    ::setenv("XDG_CACHE_HOME", root.c_str(), 1);
    fs::create_directory(root / "elsewhere");
    fs::create_directory_symlink(root / "elsewhere", root / "halvorn-setup");
    EXPECT_EQ(platform::userTempFolder(), std::nullopt);
    fs::remove(root / "halvorn-setup");
    writeAll(root / "halvorn-setup", {1});
    EXPECT_EQ(platform::userTempFolder(), std::nullopt);
}

} // namespace
} // namespace halvorn
