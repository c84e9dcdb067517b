#include "cli/ProfileJson.h"

#include "catalog/Views.h"
#include "cli/Utf8.h"
#include "platform/DurableFile.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileText.h"
#include "rules/MailRules.h"
#include "rules/RecordRules.h"
#include "store/ProfileFiles.h"
#include "ui/text/RuleText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace halvorn::cli {

namespace {

using Bytes = std::span<const std::uint8_t>;
using MutableBytes = std::span<std::uint8_t>;
using Json = nlohmann::json;

std::uint32_t readNumber(Bytes area) {
    std::uint32_t v = 0;
    for (std::size_t i = area.size(); i-- > 0;)
        v = (v << 8) | area[i];
    return v;
}

void writeNumber(MutableBytes area, std::uint32_t v) {
    for (auto& b : area) {
        b = static_cast<std::uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

std::string hexOf(Bytes area) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const std::uint8_t b : area) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
    return out;
}

std::string joined(const std::string& path, std::string_view name) {
    return path.empty() ? std::string(name) : path + '.' + std::string(name);
}

std::string indexed(const std::string& path, std::size_t i) { return path + '[' + std::to_string(i) + ']'; }

std::vector<std::uint8_t> tailOf(const CustomOperators& custom) {
    std::vector<std::uint8_t> tail;
    for (const auto& e : custom.list)
        tail.insert(tail.end(), e.begin(), e.end());
    tail.insert(tail.end(), custom.manual.begin(), custom.manual.end());
    return tail;
}

// ---- show

// A text whose bytes are exactly what storing its decoded form gives back; else its bytes in hex.
Json textValue(Bytes area, std::size_t room, const TextCodec& codec) {
    const auto end = std::find(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(room), std::uint8_t{0});
    const bool canonical = end != area.begin() + static_cast<std::ptrdiff_t>(room) &&
                           std::all_of(end, area.end(), [](std::uint8_t b) { return b == 0; });
    if (canonical) {
        const std::u16string text = loadText(area, codec);
        const auto again = codec.encode(text);
        if (again && std::equal(again->begin(), again->end(), area.begin(), end,
                                [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
            return utf8Of(text);
    }
    return Json{{"hex", hexOf(area)}};
}

Json showBlock(Bytes block, std::span<const FieldSpec> fields, const TextCodec& codec, std::size_t from = 0);

Json showValue(Bytes area, const FieldSpec& f, const TextCodec& codec) {
    switch (f.kind) {
    case FieldKind::Number:
        return readNumber(area);
    case FieldKind::Hex:
        return hexOf(area);
    case FieldKind::Text:
        return textValue(area, f.textRoom(), codec);
    case FieldKind::Entry:
        return showBlock(area, f.fields, codec);
    }
    return {};
}

Json showBlock(Bytes block, std::span<const FieldSpec> fields, const TextCodec& codec, std::size_t from) {
    Json out = Json::object();
    for (const FieldSpec& f : fields) {
        if (f.offset < from) continue;
        const std::string name(f.name);
        if (f.count == 0) {
            out[name] = showValue(block.subspan(f.offset, f.width), f, codec);
            continue;
        }
        Json items = Json::array();
        for (std::size_t i = 0; i < f.count; ++i)
            items.push_back(showValue(block.subspan(f.offset + i * f.width, f.width), f, codec));
        out[name] = items;
    }
    return out;
}

// ---- build

bool readHex(const Json& v, MutableBytes area, const std::string& path, std::string& why) {
    const std::string s = v.is_string() ? v.get<std::string>() : std::string();
    const bool digits =
        std::all_of(s.begin(), s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
    if (!v.is_string() || !digits || s.size() != 2 * area.size()) {
        why = path + ": not " + std::to_string(area.size()) + " bytes in hex";
        return false;
    }
    for (std::size_t i = 0; i < area.size(); ++i)
        area[i] = static_cast<std::uint8_t>(std::stoi(s.substr(2 * i, 2), nullptr, 16));
    return true;
}

bool fillBlock(MutableBytes block, std::span<const FieldSpec> fields, const Json& obj, const std::string& path,
               const TextCodec& codec, std::string& why);

bool fillText(const Json& v, MutableBytes area, std::size_t room, const std::string& path, const TextCodec& codec,
              std::string& why) {
    if (v.is_object() && v.size() == 1 && v.contains("hex")) return readHex(v["hex"], area, path, why);
    const auto text = v.is_string() ? utf16Of(v.get<std::string>()) : std::nullopt;
    if (!text) {
        why = path + ": not a text";
        return false;
    }
    std::fill(area.begin(), area.end(), std::uint8_t{0});
    switch (storeText(area.first(room), *text, codec)) {
    case TextStatus::Stored:
        return true;
    case TextStatus::Unrepresentable:
        why = path + ": code page " + std::to_string(codec.codePage()) + " cannot represent the text";
        return false;
    case TextStatus::TooLong:
        why = path + ": the text takes " + std::to_string(codec.encode(*text)->size()) + " bytes, the field holds " +
              std::to_string(room - 1) + " and a terminator";
        return false;
    }
    return false;
}

bool fillValue(const Json& v, MutableBytes area, const FieldSpec& f, const std::string& path, const TextCodec& codec,
               std::string& why) {
    switch (f.kind) {
    case FieldKind::Number: {
        const double largest = std::ldexp(1.0, static_cast<int>(8 * f.width)) - 1;
        const double d = v.is_number() ? v.get<double>() : -1;
        if (d < 0 || d > largest || d != std::floor(d)) {
            why = path + ": not a whole number from 0 to " + std::to_string(static_cast<std::uint64_t>(largest));
            return false;
        }
        writeNumber(area, static_cast<std::uint32_t>(d));
        return true;
    }
    case FieldKind::Hex:
        return readHex(v, area, path, why);
    case FieldKind::Text:
        return fillText(v, area, f.textRoom(), path, codec, why);
    case FieldKind::Entry:
        if (!v.is_object()) {
            why = path + ": not an object";
            return false;
        }
        return fillBlock(area, f.fields, v, path, codec, why);
    }
    return false;
}

bool fillBlock(MutableBytes block, std::span<const FieldSpec> fields, const Json& obj, const std::string& path,
               const TextCodec& codec, std::string& why) {
    for (const auto& item : obj.items()) {
        const std::string& key = item.key();
        const Json& value = item.value();
        const std::string name = joined(path, key);
        const auto f = std::find_if(fields.begin(), fields.end(), [&](const FieldSpec& s) { return s.name == key; });
        if (f == fields.end()) {
            why = name + ": not a field";
            return false;
        }
        if (f->count == 0) {
            if (!fillValue(value, block.subspan(f->offset, f->width), *f, name, codec, why)) return false;
            continue;
        }
        if (!value.is_array() || value.size() != f->count) {
            why = name + ": not an array of " + std::to_string(f->count);
            return false;
        }
        for (std::size_t i = 0; i < f->count; ++i)
            if (!fillValue(value[i], block.subspan(f->offset + i * f->width, f->width), *f, indexed(name, i), codec,
                           why))
                return false;
    }
    return true;
}

// Where the parser stopped: the line, and the column of the character it stopped at.
std::string lineAndColumn(std::string_view json, std::size_t end) {
    const std::string_view before = json.substr(0, std::min(end, json.size()));
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const auto lastBreak = before.rfind('\n');
    const std::size_t column = before.size() - (lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
    return "line " + std::to_string(line) + ", column " + std::to_string(std::max<std::size_t>(column, 1));
}

// ---- check

// The name of the field (array element included) that holds the record byte.
// With `whole`, an element of an array of entries is named without its field.
std::string pathOf(std::span<const FieldSpec> fields, std::size_t offset, bool whole = false,
                   const std::string& prefix = {}) {
    for (const FieldSpec& f : fields) {
        const std::size_t span = f.width * std::max<std::size_t>(f.count, 1);
        if (offset < f.offset || offset >= f.offset + span) continue;
        std::string path = joined(prefix, f.name);
        if (f.count != 0) path = indexed(path, (offset - f.offset) / f.width);
        if (f.kind == FieldKind::Entry && !whole) return pathOf(f.fields, (offset - f.offset) % f.width, false, path);
        return path;
    }
    return prefix;
}

void checkLists(Bytes block, std::span<const FieldSpec> fields, const std::string& path,
                std::vector<std::string>& lines) {
    for (const FieldSpec& f : fields)
        for (std::size_t i = 0; i < std::max<std::size_t>(f.count, 1); ++i) {
            const std::string name = f.count == 0 ? joined(path, f.name) : indexed(joined(path, f.name), i);
            const Bytes area = block.subspan(f.offset + i * f.width, f.width);
            if (f.kind == FieldKind::Entry) checkLists(area, f.fields, name, lines);
            if (f.kind == FieldKind::Number && f.choices > 0 &&
                readNumber(area) >= static_cast<std::uint32_t>(f.choices))
                lines.push_back(name + ": " + std::to_string(readNumber(area)) + " is not in its list (0 to " +
                                std::to_string(f.choices - 1) + ")");
        }
}

std::string textAt(const ProfileRecord& r, Field f, const TextCodec& codec) {
    return utf8Of(loadText(r.area(f), codec));
}

// The texts that go into mail commands: the recipients, the sender address and the account.
std::vector<Field> mailCommandTexts() {
    std::vector<Field> out;
    for (std::size_t i = 0; i < rec::slotCount; ++i)
        out.push_back(rec::recipientSlot(i));
    for (const Field f : {mail::senderAddress, mail::account})
        out.push_back({rec::mailServer + f.offset, f.width});
    return out;
}

bool fitsMail(const ProfileRecord& r, Field f) {
    const auto area = r.area(f);
    const auto end = std::find(area.begin(), area.end(), std::uint8_t{0});
    return rules::fitsMailCommand(
        std::string_view(reinterpret_cast<const char*>(area.data()), static_cast<std::size_t>(end - area.begin())));
}

constexpr std::string_view kUnfitForMail = "holds a control character, \"<\" or \">\", which no mail command can carry";

} // namespace

std::optional<ProfileFile> readProfileFile(std::span<const std::uint8_t> bytes, std::string& why) {
    ProfileFile file;
    if (bytes.size() == kProfileBinSize && decodeProfileBin(bytes, file.record)) return file;
    if (bytes.size() < kRecordSize || bytes.size() > kBackupSize) {
        why = std::to_string(bytes.size()) + " bytes: neither a PROFILE.BIN (" + std::to_string(kProfileBinSize) +
              " bytes) nor a backup (" + std::to_string(kRecordSize) + " to " + std::to_string(kBackupSize) + " bytes)";
        return std::nullopt;
    }
    if (decodeBackup(bytes, file.record, file.custom) != BackupVerdict::Accepted) {
        why = "not a backup: its version mark is not \"V\" and a zero byte";
        return std::nullopt;
    }
    file.backup = true;
    return file;
}

nlohmann::json showProfile(const ProfileFile& file, const TextCodec& codec) {
    Json out = showBlock(file.record.bytes(), recordFields(), codec, file.backup ? 0 : kProfileBinOffset);
    if (file.backup) out.update(showBlock(tailOf(file.custom), backupTailFields(), codec));
    return out;
}

std::optional<ProfileRecord> buildRecord(std::string_view json, const TextCodec& codec, std::string& why) {
    Json fields;
    try {
        fields = Json::parse(json);
    } catch (const Json::parse_error& e) {
        const std::string what = e.what();
        const auto reason = what.find(": ", what.find("column"));
        why = lineAndColumn(json, e.byte) + ": " + (reason == std::string::npos ? what : what.substr(reason + 2));
        return std::nullopt;
    }
    if (!fields.is_object()) {
        why = "line 1, column 1: the JSON text is not an object";
        return std::nullopt;
    }
    // The backup's custom operators are checked like the rest, but PROFILE.BIN does not carry them.
    Json tailFields = Json::object();
    for (const FieldSpec& f : backupTailFields()) {
        const std::string name(f.name);
        if (fields.contains(name)) {
            tailFields[name] = std::move(fields[name]);
            fields.erase(name);
        }
    }
    std::vector<std::uint8_t> tail(kBackupTailSize);
    if (!fillBlock(tail, backupTailFields(), tailFields, {}, codec, why)) return std::nullopt;
    ProfileRecord record;
    applyProfileDefaults(record);
    if (!fillBlock(record.bytes(), recordFields(), fields, {}, codec, why)) return std::nullopt;
    for (const Field f : mailCommandTexts())
        if (!fitsMail(record, f)) {
            why = pathOf(recordFields(), f.offset) + ": " + std::string(kUnfitForMail);
            return std::nullopt;
        }
    return record;
}

int buildProfileBin(std::string_view json, const std::filesystem::path& folder, const TextCodec& codec,
                    std::string& why) {
    const auto record = buildRecord(json, codec, why);
    if (!record) return kFailed;
    const auto bytes = encodeProfileBin(*record);
    if (const auto error = platform::writeFileDurably(folder / kProfileBinName, bytes)) {
        why = error->describe();
        return kFailed;
    }
    return 0;
}

CheckReport checkProfile(const ProfileFile& file, const TextCodec& codec) {
    const ProfileRecord& r = file.record;
    CheckReport report;
    std::vector<std::string> warnings;
    checkLists(r.bytes(), recordFields(), {}, warnings);
    Views views;
    views.narrow(); // as the windows place the stored choices
    for (const rules::Finding& f : rules::checkRecord(r, codec, views.mailPreset)) {
        const bool wholeEntry = f.failure.rule == rules::Rule::WorkTimeStartStop ||
                                f.failure.rule == rules::Rule::WorkTimeNoDay ||
                                f.failure.rule == rules::Rule::MailAccountIncomplete;
        const std::string path = pathOf(recordFields(), f.offset, wholeEntry);
        if (f.failure.rule == rules::Rule::PhoneCharacter)
            warnings.push_back(path + ": \"" + textAt(r, rec::phoneText(f.failure.slot), codec) +
                               "\" holds a character other than 0-9");
        else if (f.failure.rule == rules::Rule::CameraNameSmallLetter)
            warnings.push_back(path + ": \"" + textAt(r, rec::cameraName, codec) + "\" holds small letters");
        else
            report.refusals.push_back(path + ": " + ui::ruleText(f.failure).text);
    }
    for (const std::string& w : warnings)
        report.warnings.push_back("warning: " + w);
    return report;
}

} // namespace halvorn::cli
