// Fuzz target: any bytes of any length as the backup file.
//
// The bytes go to decodeBackup directly and, written as the backup into a
// private temporary folder, through ProfileFiles::loadBackup. Both must agree,
// a rejected backup must change nothing, and an accepted one must survive
// being written and read again unchanged.

#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileRecord.h"

#include "fuzz/FuzzSupport.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace halvorn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    // The pure reader.
    ProfileRecord record;
    CustomOperators custom = CustomOperators::builtIn();
    const ProfileRecord recordBefore = record;
    const CustomOperators customBefore = custom;
    const BackupVerdict verdict = decodeBackup(bytes, record, custom);

    if (size < kRecordSize) fuzz::require(verdict == BackupVerdict::TooShort, "a short backup was not refused");
    if (verdict != BackupVerdict::Accepted) {
        fuzz::require(record == recordBefore && custom == customBefore, "a refused backup changed the record");
    } else {
        fuzz::require(record.u8(0) == 'V' && record.u8(1) == 0, "accepted a backup without the version mark");
        // What was accepted is written back byte for byte.
        ProfileRecord again;
        CustomOperators customAgain{};
        fuzz::require(decodeBackup(encodeBackup(record, custom), again, customAgain) == BackupVerdict::Accepted,
                      "a re-encoded backup was refused");
        fuzz::require(again == record && customAgain == custom, "a re-encoded backup read back differently");
    }

    // The same bytes as the file in the user's temporary folder.
    const auto& folder = fuzz::privateFolder();
    fuzz::writeBackupFile(folder, bytes);
    ProfileRecord loaded;
    CustomOperators loadedCustom = CustomOperators::builtIn();
    ProfileFiles files(loaded, loadedCustom, [&folder]() -> std::optional<std::filesystem::path> { return folder; });
    files.loadBackup();

    if (verdict == BackupVerdict::Accepted) {
        fuzz::require(loaded == record && loadedCustom == custom, "loadBackup and decodeBackup disagree");
    } else {
        ProfileRecord defaults;
        applyProfileDefaults(defaults);
        fuzz::require(loaded == defaults, "a refused backup did not give the defaults");
        fuzz::require(loadedCustom == CustomOperators::builtIn(), "a refused backup changed the custom operators");
    }
    return 0;
}
