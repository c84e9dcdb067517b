#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "store/ProfileFiles.h"
#include "support/FileHelpers.h"
#include <gtest/gtest.h>
#include <unistd.h>

using namespace halvorn;
using namespace halvorn::test;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

class ProfileFilesTest : public ::testing::Test {
protected:
    ProfileFiles files(platform::SysCalls sys = platform::SysCalls::real()) {
        return {record, custom, [this] { return std::optional<fs::path>(temp.path()); }, std::move(sys)};
    }
    // What start-up does: the initial record and the built-in entries, then the backup or the defaults.
    bool startWithDefaults() {
        ProfileRecord defaults;
        applyProfileDefaults(defaults);
        record = ProfileRecord();
        custom = CustomOperators::builtIn();
        files().loadBackup();
        return record == defaults && custom == CustomOperators::builtIn();
    }
    TempDir temp, card;
    const fs::path backup = temp.path() / "setupV4.56J.bak", bin = card.path() / "PROFILE.BIN",
                   elsewhere = card.path() / "elsewhere";
    ProfileRecord record;
    CustomOperators custom;
};
TEST_F(ProfileFilesTest, SaveWritesBothFilesTheNextStartLoadsThemAndDeleteRemovesTheBackup) {
    // Left by an interrupted save of a copy that has ended, and by one of a copy still saving: in the
    // temporary folder they go at start, on the card before the save writes there.
    const std::string dead = ".setupV4.56J.bak.tmp-" + std::to_string(deadPid()) + "-0",
                      running = ".setupV4.56J.bak.tmp-" + std::to_string(::getpid()) + "-9",
                      cardRunning = ".PROFILE.BIN.tmp-" + std::to_string(::getpid()) + "-7";
    for (const std::string& name : {dead, running, std::string("notes.txt")})
        writeAll(temp.path() / name, {1});
    for (const std::string& name : {".PROFILE.BIN.tmp-" + std::to_string(deadPid()) + "-0", cardRunning})
        writeAll(card.path() / name, {1});
    EXPECT_TRUE(startWithDefaults());
    EXPECT_EQ(namesIn(temp.path()), (Names{running, "notes.txt"}));
    record.setU8(rec::sendHour, 7);
    custom.manual[0] = 'M';
    writeAll(elsewhere, Bytes(5000, 0x33)); // an old, longer PROFILE.BIN is replaced, not written through
    fs::create_symlink(elsewhere, bin);
    const mode_t umask = ::umask(022);
    EXPECT_EQ(files().saveProfileFiles(card.path()), std::nullopt);
    ::umask(umask);
    EXPECT_EQ(std::pair(readAll(bin), readAll(backup)),
              std::pair(encodeProfileBin(record), encodeBackup(record, custom)));
    EXPECT_EQ(std::tuple(modeOf(bin), modeOf(backup), readAll(elsewhere)),
              std::tuple(S_IFREG | 0644u, S_IFREG | 0600u, Bytes(5000, 0x33)));
    const auto saved = std::pair(record, custom);
    EXPECT_FALSE(startWithDefaults());
    EXPECT_EQ(std::pair(record, custom), saved);
    files().deleteBackup();
    files().deleteBackup(); // nothing there any more: no effect
    ProfileFiles noTemp(record, custom, [] { return std::optional<fs::path>(); });
    EXPECT_EQ(noTemp.saveProfileFiles(card.path()), std::nullopt); // without a temporary folder: PROFILE.BIN alone
    noTemp.deleteBackup();
    EXPECT_EQ(
        std::pair(namesIn(temp.path()), namesIn(card.path())),
        std::pair(Names{running, "halvorn-setup.lock", "notes.txt"}, Names{cardRunning, "PROFILE.BIN", "elsewhere"}));
}
// Each way a backup can be unusable, and last the same bytes as a plain file of ours, which is taken.
TEST_F(ProfileFilesTest, UnusableBackupsCountAsMissing) {
    enum Kind { Mark, Symlink, HardLink, Folder, Fifo, Plain };
    for (const Kind kind : {Mark, Symlink, HardLink, Folder, Fifo, Plain}) {
        auto bytes = fixture("reference/setupV4.56J.bak");
        if (kind == Mark) bytes[1] ^= 0x01; // the mark reads "F", 0
        writeAll(kind == Symlink || kind == HardLink ? elsewhere : backup, bytes);
        if (kind == Symlink) fs::create_symlink(elsewhere, backup);
        if (kind == HardLink) fs::create_hard_link(elsewhere, backup);
        if ((kind == Folder || kind == Fifo) && fs::remove(backup) && kind == Folder) fs::create_directory(backup);
        ASSERT_TRUE(kind != Fifo || ::mkfifo(backup.c_str(), 0600) == 0);
        EXPECT_EQ(startWithDefaults(), kind != Plain) << kind;
        fs::remove_all(backup);
    }
}
// A backup owned by another user counts as missing too; planting one needs root rights.
TEST_F(ProfileFilesTest, ABackupOfAnotherUserCountsAsMissing) {
    writeAll(backup, fixture("reference/setupV4.56J.bak"));
    if (::chown(backup.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "giving a file to another user needs root rights";
    EXPECT_TRUE(startWithDefaults());
}
// A file that fails ends the save with its path; PROFILE.BIN comes first, so no backup follows it, not
// even when the new PROFILE.BIN is in place but could not be confirmed.
TEST_F(ProfileFilesTest, AFailedFileEndsTheSave) {
    using enum platform::WriteStep;
    const std::tuple<platform::WriteStep, fs::path, bool> rows[] = {
        {Rename, bin, true}, {SyncFolder, bin, false}, {Rename, backup, false}}; // the old PROFILE.BIN kept
    for (const auto& [step, failing, oldKept] : rows) {
        writeAll(bin, {1});
        writeAll(backup, {2});
        startWithDefaults();
        const auto error =
            files(faultySys({Fault::Fail, step, EIO, failing == bin ? 0 : 1})).saveProfileFiles(card.path());
        EXPECT_EQ(error.value_or(platform::FileError{}).path, failing);
        EXPECT_EQ(std::pair(readAll(bin), readAll(backup)),
                  std::pair(oldKept ? Bytes{1} : encodeProfileBin(record), Bytes{2}));
    }
}
