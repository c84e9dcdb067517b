#include "rules/RecordRules.h"

#include "catalog/MailPresets.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileText.h"
#include "rules/MailRules.h"
#include "rules/SaveRules.h"
#include "rules/WorkTimeRules.h"

#include <algorithm>

namespace halvorn::rules {

namespace {
std::u16string textOf(const ProfileRecord& r, Field f, const TextCodec& codec) { return loadText(r.area(f), codec); }

std::string_view bytesOf(const ProfileRecord& r, Field f) {
    const auto area = r.area(f);
    const auto end = std::find(area.begin(), area.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(area.data()), static_cast<std::size_t>(end - area.begin())};
}
} // namespace

std::vector<Finding> checkRecord(const ProfileRecord& r, const TextCodec& codec, const MailPresetView& presets) {
    std::vector<Finding> out;
    const auto note = [&out](Failure f, std::size_t offset, bool warning = false) {
        if (f) out.push_back({f, offset, warning});
    };
    note(checkMaxSendCount(r.u8(rec::maxSendCount)), rec::maxSendCount);

    const auto mailField = [](Field f) { return Field{rec::mailServer + f.offset, f.width}; };
    const auto empty = [&](Field f) { return r.u8(mailField(f).offset) == 0; };
    note(checkMailAccount(presets.rowAt(r.u8(rec::mailPresetIndex)) == kMailPresetRelay, empty(mail::senderAddress),
                          empty(mail::password), empty(mail::account), empty(mail::smtpServer)),
         rec::mailServer);

    const bool smsOn = r.u16(rec::smsSwitch) > 0;
    bool phoneGiven = false, kept = false;
    for (std::size_t i = 0; i < rec::slotCount; ++i) {
        const std::u16string phone = textOf(r, rec::phoneText(i), codec);
        const Failure length = checkPhone(i, phone.size(), smsOn);
        note(length, rec::phoneText(i).offset);
        if (!length && phoneKept(phone.size())) phoneGiven = true;
        if (!std::ranges::all_of(phone, [](char16_t c) { return c >= u'0' && c <= u'9'; }))
            note({Rule::PhoneCharacter, i}, rec::phoneText(i).offset, true);
        if (i == 0) note(checkSmsPhone(smsOn, phoneGiven), rec::phoneText(0).offset);
        const std::u16string address = textOf(r, rec::recipientSlot(i), codec);
        const Failure bad = checkAddress(i, address);
        note(bad, rec::recipientSlot(i).offset);
        if (!bad && addressKept(address.size())) kept = true;
    }
    note(checkTargets(r.u16(rec::sendTarget), phoneGiven, kept), rec::sendTarget);

    const std::u16string name = textOf(r, rec::cameraName, codec);
    if (name.size() > static_cast<std::size_t>(limits::longestCameraName))
        note({Rule::CameraNameLength, 0, limits::longestCameraName}, rec::cameraName.offset);
    note(checkCameraName(name, r.u16(rec::renameSwitch)), rec::cameraName.offset);
    if (std::ranges::any_of(name, [](char16_t c) { return c >= u'a' && c <= u'z'; }))
        note({Rule::CameraNameSmallLetter}, rec::cameraName.offset, true);

    for (std::size_t k = 0; k < rec::workTimeCount; ++k) {
        const std::size_t at = rec::workTimeAt(k);
        note(checkWorkTime(k, {r.u8(at + rec::wt::switchOn), r.u8(at + rec::wt::startHour),
                               r.u8(at + rec::wt::startMinute), r.u8(at + rec::wt::stopHour),
                               r.u8(at + rec::wt::stopMinute), (r.u8(at + rec::wt::weekMask) & 0x7F) != 0}),
             at);
    }

    if (!fitsMailCommand(bytesOf(r, mailField(mail::senderAddress))))
        note({Rule::SenderUnfit}, mailField(mail::senderAddress).offset);
    if (!fitsMailCommand(bytesOf(r, mailField(mail::account))))
        note({Rule::AccountUnfit}, mailField(mail::account).offset);
    return out;
}

} // namespace halvorn::rules
