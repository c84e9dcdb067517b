#include "profile/ProfileFields.h"

#include "profile/CustomOperators.h"

#include <array>

namespace halvorn {

namespace {

using enum FieldKind;

constexpr int kHours = 24;
constexpr int kMinutes = 60;
constexpr int kOffOn = 2;

constexpr FieldSpec number(std::string_view name, std::size_t offset, std::size_t width, int choices = 0) {
    return {name, offset, width, Number, choices};
}
constexpr FieldSpec text(std::string_view name, Field f) { return {name, f.offset, f.width, Text}; }

constexpr std::array kOperator{
    text("name", op::name),
    text("mmsUrl", op::mmsUrl),
    text("mmsGateway", op::mmsGateway),
    text("mmsPort", op::mmsPort),
    text("mmsApn", op::mmsApn),
    text("mmsUser", op::mmsUser),
    text("mmsPassword", op::mmsPassword),
    text("dataApn", op::dataApn),
    text("dataUser", op::dataUser),
    text("dataPassword", op::dataPassword),
};

constexpr std::array kMailServer{
    text("smtpServer", mail::smtpServer),
    text("smtpPort", mail::smtpPort),
    number("secureType", mail::secureType, 1),
    number("reserved71", mail::reserved71, 1),
    text("account", mail::account),
    text("password", mail::password),
    text("senderAddress", mail::senderAddress),
    text("senderName", mail::senderName),
};

constexpr std::array kWorkTime{
    number("switchOn", rec::wt::switchOn, 1, kOffOn),         number("startHour", rec::wt::startHour, 1, kHours),
    number("startMinute", rec::wt::startMinute, 1, kMinutes), number("stopHour", rec::wt::stopHour, 1, kHours),
    number("stopMinute", rec::wt::stopMinute, 1, kMinutes),   number("weekMask", rec::wt::weekMask, 1),
};

// The mail preset view that start-up narrows the mail account dialog's list to.
constexpr int kMailPresetChoices = 3;

constexpr std::array kRecord{
    FieldSpec{"versionMark", rec::versionMark, rec::profileKind - rec::versionMark, Hex},
    number("profileKind", rec::profileKind, 2),
    number("reserved18", rec::reserved18, 2),
    number("cameraMode", rec::cameraMode, 1, 3),
    number("cameraScene", rec::cameraScene, 1, 8),
    number("photoSize", rec::photoSize, 1, 5),
    number("photoBurst", rec::photoBurst, 1, 10),
    number("flashPower", rec::flashPower, 1, 3),
    number("videoSize", rec::videoSize, 1, 3),
    number("videoLength", rec::videoLength, 1, 12),
    number("triggerMode", rec::triggerMode, 1, 3),
    number("pirSensitivity", rec::pirSensitivity, 1, 3),
    number("pirInterval", rec::pirInterval, 1, 28),
    number("timeLapse", rec::timeLapse, 1, 38),
    FieldSpec{"workTime", rec::workTime, rec::workTimeSize, Entry, 0, 0, kWorkTime, rec::workTimeCount},
    number("language", rec::language, 1, kOffOn),
    number("rfSwitch", rec::rfSwitch, 1, 3),
    number("overwrite", rec::overwrite, 1, kOffOn),
    number("beep", rec::beep, 1, kOffOn),
    number("variantCode", rec::variantCode, 1),
    FieldSpec{"reserved60", rec::reserved60, rec::sendMinute - rec::reserved60, Hex},
    number("sendMinute", rec::sendMinute, 1, kMinutes),
    number("sendHour", rec::sendHour, 1, kHours),
    number("maxSendCount", rec::maxSendCount, 1, limits::maxSendCount + 1),
    number("sendMode", rec::sendMode, 1, 4),
    number("reserved76", rec::reserved76, 2),
    number("sendTarget", rec::sendTarget, 2, 3),
    number("simIndex", rec::simIndex, 1),
    number("countryIndex", rec::countryIndex, 1),
    number("sendCompression", rec::sendCompression, 2, 3),
    number("renameSwitch", rec::renameSwitch, 2, kOffOn),
    number("smsSwitch", rec::smsSwitch, 2, kOffOn),
    number("smsStopHour", rec::smsStopHour, 1, kHours),
    number("smsStartHour", rec::smsStartHour, 1, kHours),
    text("cameraName", rec::cameraName),
    number("reserved106", rec::reserved106, 4),
    number("reserved110", rec::reserved110, 1),
    number("mailPresetIndex", rec::mailPresetIndex, 1, kMailPresetChoices),
    FieldSpec{"operator", rec::operatorEntry, kOperatorEntrySize, Entry, 0, 0, kOperator},
    FieldSpec{"mailServer", rec::mailServer, kMailServerEntrySize, Entry, 0, 0, kMailServer},
    FieldSpec{"phoneNumbers", rec::phoneNumbers, rec::slotSize, Text, 0, rec::phoneTextWidth, {}, rec::slotCount},
    FieldSpec{"mailRecipients", rec::mailRecipients, rec::slotSize, Text, 0, 0, {}, rec::slotCount},
};

constexpr std::array kBackupTail{
    FieldSpec{"customOperators", 0, kOperatorEntrySize, Entry, 0, 0, kOperator, CustomOperators::kCount},
    FieldSpec{"manualEntry", kOperatorEntrySize* CustomOperators::kCount, kOperatorEntrySize, Entry, 0, 0, kOperator},
};

} // namespace

std::span<const FieldSpec> recordFields() { return kRecord; }
std::span<const FieldSpec> operatorFields() { return kOperator; }
std::span<const FieldSpec> mailServerFields() { return kMailServer; }
std::span<const FieldSpec> workTimeFields() { return kWorkTime; }
std::span<const FieldSpec> backupTailFields() { return kBackupTail; }

} // namespace halvorn
