#pragma once
// The built-in default entries and the defaults routine.

#include "profile/ProfileRecord.h"

#include <cstdint>
#include <string_view>

namespace halvorn {

// The version text the record and the frame's caption carry.
constexpr std::u16string_view kVersionText = u"V4.56J";

// The operator catalog's row "Japan": its first operator is the default
// operator entry, and the default country index names it.
constexpr int kCountryJapan = 15;

// The default camera settings, as list positions; the camera settings
// dialog's "Default" shows the same.
namespace cameraDefault {
constexpr std::uint8_t cameraMode = choice::photoMode;
constexpr std::uint8_t cameraScene = 0; // "Auto"
constexpr std::uint8_t photoSize = 1;   // 3 MP
constexpr std::uint8_t photoBurst = 0;  // one photo
constexpr std::uint8_t flashPower = 2;  // high
constexpr std::uint8_t videoSize = 1;   // 720p
constexpr std::uint8_t videoLength = 1; // 10 seconds
constexpr std::uint8_t triggerMode = choice::triggerPir;
constexpr std::uint8_t pirSensitivity = 1; // "Auto"
constexpr std::uint8_t pirInterval = 12;   // 1 minute
constexpr std::uint8_t timeLapse = 29;     // 4 hours
constexpr std::uint8_t language = 1;       // German
constexpr std::uint8_t rfSwitch = 0;       // off
constexpr std::uint8_t overwrite = 1;      // on
constexpr std::uint8_t beep = 1;           // on
} // namespace cameraDefault

// The default count of sends; the main window's reset restores it too.
constexpr int kDefaultSendCount = 10;

// Writes exactly the default bytes (version mark "V", 0; profile kind 1; the
// camera block; the sending block; the two default entries; zeroed recipients)
// and nothing else: bytes 2-15, 18-19, 60-71 and 88-89 keep their values.
void applyProfileDefaults(ProfileRecord& record);

// "SORACOM(docomo)" with its data-connection settings; first "Japan" operator.
const OperatorEntry& defaultOperatorEntry();
// The built-in relay account; row 0 of the mail presets.
const MailServerEntry& defaultMailEntry();

} // namespace halvorn
