#include "profile/ProfileDefaults.h"

#include "BuildSettings.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace halvorn {

namespace {

// Copies ASCII text into a zeroed field, keeping room for the terminator. The
// texts here are built in (or come from the build's settings); a value too long
// for its field is cut rather than written past it.
template <std::size_t N> void putText(std::array<std::uint8_t, N>& entry, Field field, std::string_view text) {
    const std::size_t n = std::min(text.size(), field.width - 1);
    std::copy_n(text.begin(), n, entry.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

OperatorEntry makeDefaultOperator() {
    OperatorEntry e{};
    putText(e, op::name, "SORACOM(docomo)");
    putText(e, op::dataApn, "soracom.io");
    putText(e, op::dataUser, "sora");
    putText(e, op::dataPassword, "sora");
    return e;
}

MailServerEntry makeDefaultMail() {
    MailServerEntry e{};
    const std::string_view sender = build::relaySender;
    putText(e, mail::smtpServer, build::relaySmtpServer);
    putText(e, mail::smtpPort, "587");
    e[mail::secureType] = mail::secureTypeBase + 2; // STARTTLS
    e[mail::reserved71] = 0;
    putText(e, mail::account, build::relayAccessKey);
    putText(e, mail::password, build::relaySecret);
    putText(e, mail::senderAddress, sender);
    const auto at = sender.find('@');
    if (at != std::string_view::npos) putText(e, mail::senderName, sender.substr(0, at));
    return e;
}

// Camera block, bytes 20 to 59.
constexpr std::array<std::uint8_t, 11> kCameraDefaults{0, 0, 1, 0, 2, 1, 1, 0, 1, 12, 29};

} // namespace

const OperatorEntry& defaultOperatorEntry() {
    static const OperatorEntry entry = makeDefaultOperator();
    return entry;
}

const MailServerEntry& defaultMailEntry() {
    static const MailServerEntry entry = makeDefaultMail();
    return entry;
}

void applyProfileDefaults(ProfileRecord& r) {
    // Version mark: only the first character of the version text and a zero;
    // bytes 2 to 15 keep what they held.
    r.setU8(rec::versionMark, static_cast<std::uint8_t>(kVersionText.front()));
    r.setU8(rec::versionMark + 1, 0);
    r.setU16(rec::profileKind, 1);

    for (std::size_t i = 0; i < kCameraDefaults.size(); ++i)
        r.setU8(rec::cameraMode + i, kCameraDefaults[i]);
    for (std::size_t s = 0; s < rec::workTimeCount; ++s) {
        const std::size_t at = rec::workTimeAt(s);
        r.clear(at, rec::workTimeSize);
        r.setU8(at + rec::wt::weekMask, 0xFF);
    }
    r.setU8(rec::language, 1);
    r.setU8(rec::rfSwitch, 0);
    r.setU8(rec::overwrite, 1);
    r.setU8(rec::beep, 1);
    r.setU8(rec::variantCode, 0);

    r.setU8(rec::sendMinute, 0);
    r.setU8(rec::sendHour, 0);
    r.setU8(rec::maxSendCount, 10);
    r.setU8(rec::sendMode, 0);
    r.setU16(rec::reserved76, 0);
    r.setU16(rec::sendTarget, 1);
    r.setU8(rec::simIndex, 0);
    r.setU8(rec::countryIndex, 15);
    r.setU16(rec::sendCompression, 0);
    r.setU16(rec::renameSwitch, 0);
    r.setU16(rec::smsSwitch, 0);
    r.clear(rec::cameraName.offset, rec::cameraName.width);
    r.setU32(rec::reserved106, 5);
    r.setU8(rec::reserved110, 0);
    r.setU8(rec::mailPresetIndex, 0);

    r.setOperatorEntry(defaultOperatorEntry());
    r.setMailServer(defaultMailEntry());
    r.clear(rec::phoneNumbers, rec::recipientsEnd - rec::phoneNumbers);
}

} // namespace halvorn
