#include "profile/ProfileDefaults.h"

#include "BuildSettings.h"
#include "profile/ProfileText.h"

#include <array>
#include <string_view>

namespace halvorn {

namespace {

// The texts here are built in (or come from the build's settings); a value too
// long for its field is cut rather than written past it.
template <std::size_t N> void putText(std::array<std::uint8_t, N>& entry, Field field, std::string_view text) {
    putBuiltInText(fieldOf(entry, field), text);
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

    r.setU8(rec::cameraMode, cameraDefault::cameraMode);
    r.setU8(rec::cameraScene, cameraDefault::cameraScene);
    r.setU8(rec::photoSize, cameraDefault::photoSize);
    r.setU8(rec::photoBurst, cameraDefault::photoBurst);
    r.setU8(rec::flashPower, cameraDefault::flashPower);
    r.setU8(rec::videoSize, cameraDefault::videoSize);
    r.setU8(rec::videoLength, cameraDefault::videoLength);
    r.setU8(rec::triggerMode, cameraDefault::triggerMode);
    r.setU8(rec::pirSensitivity, cameraDefault::pirSensitivity);
    r.setU8(rec::pirInterval, cameraDefault::pirInterval);
    r.setU8(rec::timeLapse, cameraDefault::timeLapse);
    for (std::size_t s = 0; s < rec::workTimeCount; ++s) {
        const std::size_t at = rec::workTimeAt(s);
        r.clear(at, rec::workTimeSize);
        r.setU8(at + rec::wt::weekMask, 0xFF);
    }
    r.setU8(rec::language, cameraDefault::language);
    r.setU8(rec::rfSwitch, cameraDefault::rfSwitch);
    r.setU8(rec::overwrite, cameraDefault::overwrite);
    r.setU8(rec::beep, cameraDefault::beep);
    r.setU8(rec::variantCode, 0);

    r.setU8(rec::sendMinute, 0);
    r.setU8(rec::sendHour, 0);
    r.setU8(rec::maxSendCount, kDefaultSendCount);
    r.setU8(rec::sendMode, choice::sendPerShot);
    r.setU16(rec::reserved76, 0);
    r.setU16(rec::sendTarget, choice::toMail);
    r.setU8(rec::simIndex, 0);
    r.setU8(rec::countryIndex, kCountryJapan);
    r.setU16(rec::sendCompression, choice::uncompressed);
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
