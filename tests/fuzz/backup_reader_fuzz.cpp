// Fuzz target: any bytes as the backup file. decodeBackup and loadBackup (which
// reads them from the file) must agree; a refused backup changes nothing and
// gives the defaults; an accepted one is encoded and read again unchanged.

#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"

#include "fuzz/FuzzSupport.h"

using namespace halvorn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProfileRecord record, again, loaded, defaults;
    const CustomOperators builtIn = CustomOperators::builtIn();
    CustomOperators custom = builtIn, customAgain{}, loadedCustom = builtIn;
    const bool accepted = decodeBackup({data, size}, record, custom) == BackupVerdict::Accepted;
    applyProfileDefaults(defaults);
    fuzz::require(accepted ? size >= kRecordSize && record.u8(0) == 'V' && record.u8(1) == 0
                           : record == ProfileRecord{} && custom == builtIn,
                  "accepted a backup without the version mark, or a refused one changed the record");
    if (accepted) decodeBackup(encodeBackup(record, custom), again, customAgain);
    fuzz::require(!accepted || (again == record && customAgain == custom), "a re-encoded backup read back differently");
    fuzz::writeBackupFile({data, size});
    ProfileFiles(loaded, loadedCustom, fuzz::privateFolder).loadBackup();
    fuzz::require(loaded == (accepted ? record : defaults) && loadedCustom == (accepted ? custom : builtIn),
                  "loadBackup and decodeBackup disagree");
    return 0;
}
