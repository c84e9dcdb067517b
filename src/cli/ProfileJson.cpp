#include "cli/ProfileJson.h"

#include "catalog/Views.h"
#include "platform/DurableFile.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileText.h"
#include "rules/MailRules.h"
#include "rules/RecordRules.h"
#include "store/ProfileFiles.h"
#include "ui/text/RuleText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace halvorn::cli {

namespace {

using Bytes = std::span<const std::uint8_t>;
using MutableBytes = std::span<std::uint8_t>;

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

QString hexOf(Bytes area) {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(area.data()), static_cast<qsizetype>(area.size())).toHex());
}

QString joined(const QString& path, std::string_view name) {
    const QString n = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return path.isEmpty() ? n : path + u'.' + n;
}

QString indexed(const QString& path, std::size_t i) { return path + QStringLiteral("[%1]").arg(i); }

std::vector<std::uint8_t> tailOf(const CustomOperators& custom) {
    std::vector<std::uint8_t> tail;
    for (const auto& e : custom.list)
        tail.insert(tail.end(), e.begin(), e.end());
    tail.insert(tail.end(), custom.manual.begin(), custom.manual.end());
    return tail;
}

// ---- show

// A text whose bytes are exactly what storing its decoded form gives back; else its bytes in hex.
QJsonValue textValue(Bytes area, std::size_t room, const TextCodec& codec) {
    const auto end = std::find(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(room), std::uint8_t{0});
    const bool canonical = end != area.begin() + static_cast<std::ptrdiff_t>(room) &&
                           std::all_of(end, area.end(), [](std::uint8_t b) { return b == 0; });
    if (canonical) {
        const std::u16string text = loadText(area, codec);
        const auto again = codec.encode(text);
        if (again && std::equal(again->begin(), again->end(), area.begin(), end,
                                [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
            return QString::fromStdU16String(text);
    }
    return QJsonObject{{QStringLiteral("hex"), hexOf(area)}};
}

QJsonObject showBlock(Bytes block, std::span<const FieldSpec> fields, const TextCodec& codec, std::size_t from = 0);

QJsonValue showValue(Bytes area, const FieldSpec& f, const TextCodec& codec) {
    switch (f.kind) {
    case FieldKind::Number:
        return static_cast<double>(readNumber(area));
    case FieldKind::Hex:
        return hexOf(area);
    case FieldKind::Text:
        return textValue(area, f.textRoom(), codec);
    case FieldKind::Entry:
        return showBlock(area, f.fields, codec);
    }
    return {};
}

QJsonObject showBlock(Bytes block, std::span<const FieldSpec> fields, const TextCodec& codec, std::size_t from) {
    QJsonObject out;
    for (const FieldSpec& f : fields) {
        if (f.offset < from) continue;
        const QString name = joined({}, f.name);
        if (f.count == 0) {
            out.insert(name, showValue(block.subspan(f.offset, f.width), f, codec));
            continue;
        }
        QJsonArray items;
        for (std::size_t i = 0; i < f.count; ++i)
            items.append(showValue(block.subspan(f.offset + i * f.width, f.width), f, codec));
        out.insert(name, items);
    }
    return out;
}

// ---- build

bool readHex(const QJsonValue& v, MutableBytes area, const QString& path, QString& why) {
    const QString s = v.toString();
    const bool digits =
        std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()) != 0; });
    if (!v.isString() || !digits || static_cast<std::size_t>(s.size()) != 2 * area.size()) {
        why = QStringLiteral("%1: not %2 bytes in hex").arg(path).arg(area.size());
        return false;
    }
    const QByteArray bytes = QByteArray::fromHex(s.toLatin1());
    std::copy(bytes.begin(), bytes.end(), area.begin());
    return true;
}

bool fillBlock(MutableBytes block, std::span<const FieldSpec> fields, const QJsonObject& obj, const QString& path,
               const TextCodec& codec, QString& why);

bool fillText(const QJsonValue& v, MutableBytes area, std::size_t room, const QString& path, const TextCodec& codec,
              QString& why) {
    if (v.isObject() && v.toObject().keys() == QStringList{QStringLiteral("hex")})
        return readHex(v.toObject().value(QStringLiteral("hex")), area, path, why);
    if (!v.isString()) {
        why = QStringLiteral("%1: not a text").arg(path);
        return false;
    }
    const std::u16string text = v.toString().toStdU16String();
    std::fill(area.begin(), area.end(), std::uint8_t{0});
    switch (storeText(area.first(room), text, codec)) {
    case TextStatus::Stored:
        return true;
    case TextStatus::Unrepresentable:
        why = QStringLiteral("%1: code page %2 cannot represent the text").arg(path).arg(codec.codePage());
        return false;
    case TextStatus::TooLong:
        why = QStringLiteral("%1: the text takes %2 bytes, the field holds %3 and a terminator")
                  .arg(path)
                  .arg(codec.encode(text)->size())
                  .arg(room - 1);
        return false;
    }
    return false;
}

bool fillValue(const QJsonValue& v, MutableBytes area, const FieldSpec& f, const QString& path, const TextCodec& codec,
               QString& why) {
    switch (f.kind) {
    case FieldKind::Number: {
        const double largest = std::ldexp(1.0, static_cast<int>(8 * f.width)) - 1;
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d < 0 || d > largest || d != std::floor(d)) {
            why = QStringLiteral("%1: not a whole number from 0 to %2").arg(path).arg(largest, 0, 'f', 0);
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
        if (!v.isObject()) {
            why = QStringLiteral("%1: not an object").arg(path);
            return false;
        }
        return fillBlock(area, f.fields, v.toObject(), path, codec, why);
    }
    return false;
}

bool fillBlock(MutableBytes block, std::span<const FieldSpec> fields, const QJsonObject& obj, const QString& path,
               const TextCodec& codec, QString& why) {
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        const QString name = path.isEmpty() ? it.key() : path + u'.' + it.key();
        const auto f = std::find_if(fields.begin(), fields.end(),
                                    [&](const FieldSpec& s) { return joined({}, s.name) == it.key(); });
        if (f == fields.end()) {
            why = QStringLiteral("%1: not a field").arg(name);
            return false;
        }
        if (f->count == 0) {
            if (!fillValue(it.value(), block.subspan(f->offset, f->width), *f, name, codec, why)) return false;
            continue;
        }
        const QJsonArray items = it.value().toArray();
        if (!it.value().isArray() || static_cast<std::size_t>(items.size()) != f->count) {
            why = QStringLiteral("%1: not an array of %2").arg(name).arg(f->count);
            return false;
        }
        for (std::size_t i = 0; i < f->count; ++i)
            if (!fillValue(items[static_cast<qsizetype>(i)], block.subspan(f->offset + i * f->width, f->width), *f,
                           indexed(name, i), codec, why))
                return false;
    }
    return true;
}

QString lineAndColumn(const QByteArray& json, int offset) {
    const QByteArray before = json.left(offset);
    const auto line = before.count('\n') + 1;
    // The parser's offset lies just past the character at fault: that character's column.
    const auto column = before.size() - (before.lastIndexOf('\n') + 1);
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

// ---- check

// The name of the field (array element included) that holds the record byte.
// With `whole`, an element of an array of entries is named without its field.
QString pathOf(std::span<const FieldSpec> fields, std::size_t offset, bool whole = false, const QString& prefix = {}) {
    for (const FieldSpec& f : fields) {
        const std::size_t span = f.width * std::max<std::size_t>(f.count, 1);
        if (offset < f.offset || offset >= f.offset + span) continue;
        QString path = joined(prefix, f.name);
        if (f.count != 0) path = indexed(path, (offset - f.offset) / f.width);
        if (f.kind == FieldKind::Entry && !whole) return pathOf(f.fields, (offset - f.offset) % f.width, false, path);
        return path;
    }
    return prefix;
}

void checkLists(Bytes block, std::span<const FieldSpec> fields, const QString& path, QStringList& lines) {
    for (const FieldSpec& f : fields)
        for (std::size_t i = 0; i < std::max<std::size_t>(f.count, 1); ++i) {
            const QString name = f.count == 0 ? joined(path, f.name) : indexed(joined(path, f.name), i);
            const Bytes area = block.subspan(f.offset + i * f.width, f.width);
            if (f.kind == FieldKind::Entry) checkLists(area, f.fields, name, lines);
            if (f.kind == FieldKind::Number && f.choices > 0 &&
                readNumber(area) >= static_cast<std::uint32_t>(f.choices))
                lines << QStringLiteral("%1: %2 is not in its list (0 to %3)")
                             .arg(name)
                             .arg(readNumber(area))
                             .arg(f.choices - 1);
        }
}

QString textAt(const ProfileRecord& r, Field f, const TextCodec& codec) {
    return QString::fromStdU16String(loadText(r.area(f), codec));
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

const QString kUnfitForMail =
    QStringLiteral("holds a control character, \"<\" or \">\", which no mail command can carry");

} // namespace

std::optional<ProfileFile> readProfileFile(std::span<const std::uint8_t> bytes, QString& why) {
    ProfileFile file;
    if (bytes.size() == kProfileBinSize && decodeProfileBin(bytes, file.record)) return file;
    if (bytes.size() < kRecordSize || bytes.size() > kBackupSize) {
        why = QStringLiteral("%1 bytes: neither a PROFILE.BIN (%2 bytes) nor a backup (%3 to %4 bytes)")
                  .arg(bytes.size())
                  .arg(kProfileBinSize)
                  .arg(kRecordSize)
                  .arg(kBackupSize);
        return std::nullopt;
    }
    if (decodeBackup(bytes, file.record, file.custom) != BackupVerdict::Accepted) {
        why = QStringLiteral("not a backup: its version mark is not \"V\" and a zero byte");
        return std::nullopt;
    }
    file.backup = true;
    return file;
}

QJsonObject showProfile(const ProfileFile& file, const TextCodec& codec) {
    QJsonObject out = showBlock(file.record.bytes(), recordFields(), codec, file.backup ? 0 : kProfileBinOffset);
    if (file.backup) {
        const auto tail = tailOf(file.custom);
        const QJsonObject extra = showBlock(tail, backupTailFields(), codec);
        for (auto it = extra.begin(); it != extra.end(); ++it)
            out.insert(it.key(), it.value());
    }
    return out;
}

std::optional<ProfileRecord> buildRecord(const QByteArray& json, const TextCodec& codec, QString& why) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        why = QStringLiteral("%1: %2").arg(lineAndColumn(json, error.offset), error.errorString());
        return std::nullopt;
    }
    if (!doc.isObject()) {
        why = QStringLiteral("line 1, column 1: the JSON text is not an object");
        return std::nullopt;
    }
    // The backup's custom operators are checked like the rest, but PROFILE.BIN does not carry them.
    QJsonObject fields = doc.object();
    QJsonObject tailFields;
    for (const FieldSpec& f : backupTailFields()) {
        const QString name = joined({}, f.name);
        if (fields.contains(name)) tailFields.insert(name, fields.take(name));
    }
    std::vector<std::uint8_t> tail(kBackupTailSize);
    if (!fillBlock(tail, backupTailFields(), tailFields, {}, codec, why)) return std::nullopt;
    ProfileRecord record;
    applyProfileDefaults(record);
    if (!fillBlock(record.bytes(), recordFields(), fields, {}, codec, why)) return std::nullopt;
    for (const Field f : mailCommandTexts())
        if (!fitsMail(record, f)) {
            why = pathOf(recordFields(), f.offset) + QStringLiteral(": ") + kUnfitForMail;
            return std::nullopt;
        }
    return record;
}

int buildProfileBin(const QByteArray& json, const std::filesystem::path& folder, const TextCodec& codec, QString& why) {
    const auto record = buildRecord(json, codec, why);
    if (!record) return kFailed;
    const auto bytes = encodeProfileBin(*record);
    if (const auto error = platform::writeFileDurably(folder / kProfileBinName, bytes)) {
        why = QString::fromStdString(error->describe());
        return kFailed;
    }
    return 0;
}

CheckReport checkProfile(const ProfileFile& file, const TextCodec& codec) {
    const ProfileRecord& r = file.record;
    CheckReport report;
    QStringList warnings;
    checkLists(r.bytes(), recordFields(), {}, warnings);
    Views views;
    views.narrow(); // as the windows place the stored choices
    for (const rules::Finding& f : rules::checkRecord(r, codec, views.mailPreset)) {
        const bool wholeEntry = f.failure.rule == rules::Rule::WorkTimeStartStop ||
                                f.failure.rule == rules::Rule::WorkTimeNoDay ||
                                f.failure.rule == rules::Rule::MailAccountIncomplete;
        const QString path = pathOf(recordFields(), f.offset, wholeEntry);
        if (f.failure.rule == rules::Rule::PhoneCharacter)
            warnings << QStringLiteral("%1: \"%2\" holds a character other than 0-9")
                            .arg(path, textAt(r, rec::phoneText(f.failure.slot), codec));
        else if (f.failure.rule == rules::Rule::CameraNameSmallLetter)
            warnings << QStringLiteral("%1: \"%2\" holds small letters").arg(path, textAt(r, rec::cameraName, codec));
        else
            report.refusals << path + QStringLiteral(": ") + QString::fromStdString(ui::ruleText(f.failure).text);
    }
    for (const QString& w : warnings)
        report.warnings << QStringLiteral("warning: ") + w;
    return report;
}

} // namespace halvorn::cli
