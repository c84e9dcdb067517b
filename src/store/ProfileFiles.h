#pragma once
// The two profile files on disk: PROFILE.BIN in a folder the user picks, and
// the backup setupV4.56J.bak in the user's temporary folder.

#include "platform/DurableFile.h"
#include "platform/TempFolder.h"
#include "profile/CustomOperators.h"
#include "profile/ProfileRecord.h"
#include "store/SaveLock.h"

#include <filesystem>
#include <optional>

namespace halvorn {

constexpr const char* kProfileBinName = "PROFILE.BIN";
constexpr const char* kBackupName = "setupV4.56J.bak";

constexpr const char* kSettingsSuffix = ".halvorn"; // exported settings files

// What reading a card's PROFILE.BIN or an exported settings file found.
struct LoadResult {
    enum class Kind { Loaded, Unreadable, WrongSize, TooShort, WrongVersion };
    Kind kind = Kind::Loaded;
    std::filesystem::path path;
    int error = 0;        // errno, when unreadable
    std::size_t size = 0; // how many bytes the file holds (up to one past what is read)
    bool loaded() const { return kind == Kind::Loaded; }
};

class ProfileFiles {
public:
    ProfileFiles(ProfileRecord& record, CustomOperators& custom, platform::TempFolderSource tempFolder,
                 platform::SysCalls sys = platform::SysCalls::real());

    // Writes PROFILE.BIN into the folder, then the backup (skipped without a
    // word when there is no temporary folder), holding the save lock. The first
    // failure ends the save and is returned; the files it did not complete keep
    // their old contents.
    std::optional<platform::FileError> saveProfileFiles(const std::filesystem::path& folder);

    // Fills the record from the backup, or applies the defaults. Without a
    // temporary folder the record keeps what it holds.
    void loadBackup();

    // Reads PROFILE.BIN from a folder into record bytes 20 to 1015. Anything
    // but a readable file of 996 bytes changes nothing.
    LoadResult readCard(const std::filesystem::path& folder);

    // Writes the whole settings in the backup's form into a file of the user's, owner-only.
    std::optional<platform::FileError> exportSettings(const std::filesystem::path& file) const;
    // Takes an exported file (or a backup) as the start takes the backup; a
    // refused file changes neither the record nor the custom operators.
    LoadResult importSettings(const std::filesystem::path& file);

    // Deletes the backup; a missing file or a failure is ignored.
    void deleteBackup();

    std::optional<std::filesystem::path> backupPath() const;

    // Skips the device flush; for measuring only.
    void setSyncToDevice(bool on) { syncToDevice_ = on; }
    // How long a save waits for another copy's save to end.
    void setLockWait(int ms) { lockWaitMs_ = ms; }

private:
    ProfileRecord& record_;
    CustomOperators& custom_;
    platform::TempFolderSource tempFolder_;
    platform::SysCalls sys_;
    bool syncToDevice_ = true;
    int lockWaitMs_ = kSaveLockWaitMs;
};

} // namespace halvorn
