#pragma once
// halvorn-profile's three commands as functions: a card file or a backup shown
// as one JSON object, such an object built into PROFILE.BIN, and the values
// the windows would not accept. All of them walk the record's field table.

#include "codec/TextCodec.h"
#include "profile/CustomOperators.h"
#include "profile/ProfileRecord.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halvorn::cli {

// Exit status of a command that could not do its work (and of a usage error).
constexpr int kFailed = 2;

// What a card's PROFILE.BIN or a backup holds. A PROFILE.BIN carries no record
// bytes 0 to 19 and no custom operators.
struct ProfileFile {
    ProfileRecord record;
    bool backup = false;
    CustomOperators custom;
};

// Reads the bytes of a PROFILE.BIN (996 bytes) or of a backup (1016 bytes with
// the version mark, then up to the whole tail: 2072 bytes at most). Nothing,
// and the reason in `why`, otherwise. Texts here and below are UTF-8.
std::optional<ProfileFile> readProfileFile(std::span<const std::uint8_t> bytes, std::string& why);

// Every field by its name, the names in order; a text that does not come back
// to the same bytes through the codec is given as {"hex": "..."}.
nlohmann::json showProfile(const ProfileFile& file, const TextCodec& codec);

// The record a JSON object describes; fields it leaves out take the defaults.
// Nothing, and in `why` the field (or the line and column) at fault, otherwise.
std::optional<ProfileRecord> buildRecord(std::string_view json, const TextCodec& codec, std::string& why);

// Builds the record and writes it as PROFILE.BIN into the folder. 0, or
// kFailed with the reason in `why`; on any error nothing is written.
int buildProfileBin(std::string_view json, const std::filesystem::path& folder, const TextCodec& codec,
                    std::string& why);

// The values a window's confirm would refuse, one line each: the field's path
// and what the window says; then, as warnings, the values the windows take but
// could not show or their typing could not produce.
struct CheckReport {
    std::vector<std::string> refusals;
    std::vector<std::string> warnings;
};
CheckReport checkProfile(const ProfileFile& file, const TextCodec& codec);

} // namespace halvorn::cli
